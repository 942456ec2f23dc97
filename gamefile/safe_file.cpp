#include "gamefile/safe_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <limits>
#include <optional>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "gamefile/file_error.h"
#include "gamefile/safe_file_common.h"
#include "gamefile/save_target.h"

namespace scorvale {

namespace {

std::string reasonOf(int error) { return std::strerror(error); }

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a save to `path` really replaces: the end of the chain of symbolic
// links that `path` may be, so that the links stay links and their target is
// what changes. A link to nothing names the file to create, as other
// programs do. Errors name `path`, the name the user gave.
std::string finalTarget(const std::string& path) {
    constexpr int kMaxLinks = 40;  // the kernel's own bound on a chain
    std::string current = path;
    for (int hop = 0; hop <= kMaxLinks; ++hop) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
        std::vector<char> target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
        if (n < 0) throw FileError(path, reasonOf(errno));
        // A link rewritten longer meanwhile: read it again.
        if (static_cast<std::size_t>(n) == target.size()) continue;
        const std::string to(target.data(), static_cast<std::size_t>(n));
        current = !to.empty() && to.front() == '/' ? to : folderOf(current) + '/' + to;
    }
    throw FileError(path, reasonOf(ELOOP));
}

FileKind kindOf(mode_t mode) {
    if (S_ISREG(mode)) return FileKind::regular;
    if (S_ISDIR(mode)) return FileKind::folder;
    if (S_ISFIFO(mode)) return FileKind::fifo;
    if (S_ISCHR(mode)) return FileKind::characterDevice;
    if (S_ISBLK(mode)) return FileKind::blockDevice;
    if (S_ISSOCK(mode)) return FileKind::socket;
    return FileKind::other;
}

void checkReadable(const std::string& path, const struct stat& st) {
    safe_file::checkReadable(path, kindOf(st.st_mode), static_cast<std::uint64_t>(st.st_size));
}

// What a save would replace at `file`. Whether the user may write it is
// asked by opening it for writing, which changes nothing in a regular file
// and answers for permissions, ACLs, read-only mounts and capabilities alike.
SaveTarget saveTargetAt(const std::string& file, const std::string& path) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) {
        if (errno == ENOENT) return {};
        throw FileError(path, reasonOf(errno));
    }
    SaveTarget target;
    target.kind = kindOf(st.st_mode);
    target.names = static_cast<std::uint64_t>(st.st_nlink);
    if (target.kind == FileKind::regular) {
        const Fd fd(::open(file.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
        // Any other failure (no descriptor left, say) is the save's own to meet.
        target.writable = fd.get() >= 0 || (errno != EACCES && errno != EPERM && errno != EROFS);
    }
    return target;
}

}  // namespace

void writeFileAtomically(const std::string& path, const std::function<void(const ByteSink&)>& produce) {
    // The temporary file lies beside the file replaced, so that the rename
    // stays within one folder and one file system.
    const std::string file = finalTarget(path);
    if (const std::optional<SaveRefusal> refusal = saveRefusal(saveTargetAt(file, path)))
        throw SaveRefusedError(path, *refusal);
    struct stat target {};

    std::string tmpl = file + ".XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    Fd fd(::mkstemp(name.data()));
    if (fd.get() < 0) throw FileError(path, reasonOf(errno));
    const std::string tmpPath(name.data());
    auto fail = [&](int error) {
        ::unlink(tmpPath.c_str());
        throw FileError(path, reasonOf(error));
    };

    // Keep the mode an existing file had; a new file gets the usual 0666 & ~umask.
    mode_t mode = 0;
    if (::stat(file.c_str(), &target) == 0) {
        mode = target.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd.get(), mode) != 0) fail(errno);

    std::size_t written = 0;
    const ByteSink write = [&](std::string_view piece) {
        std::size_t done = 0;
        while (done < piece.size()) {
            safe_file::checkWriteFault(path, written);
            const ssize_t n = ::write(fd.get(), piece.data() + done, piece.size() - done);
            if (n < 0) {
                if (errno == EINTR) continue;
                throw FileError(path, reasonOf(errno));
            }
            done += static_cast<std::size_t>(n);
            written += static_cast<std::size_t>(n);
        }
    };
    try {
        produce(write);
    } catch (...) {
        ::unlink(tmpPath.c_str());
        throw;
    }
    if (::fsync(fd.get()) != 0) fail(errno);
    if (::close(fd.release()) != 0) fail(errno);
    if (::rename(tmpPath.c_str(), file.c_str()) != 0) fail(errno);

    // Make the rename itself durable.
    Fd dir(::open(folderOf(file).c_str(), O_RDONLY | O_DIRECTORY));
    if (dir.get() >= 0) ::fsync(dir.get());
}

std::uint64_t readableFileLimit() {
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    const std::uint64_t memory = pages > 0 && pageSize > 0
                                     ? static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize)
                                     : std::numeric_limits<std::uint64_t>::max();
    return std::min<std::uint64_t>(memory, std::string().max_size());
}

std::string readWholeFile(const std::string& path) {
    // Looked at before it is opened: opening a device may do something by
    // itself, and opening a FIFO waits for a writer.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) throw FileError(path, reasonOf(errno));
    checkReadable(path, st);
    // Should a FIFO take the file's place meanwhile, opening it cannot hang.
    Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) throw FileError(path, reasonOf(errno));
    if (::fstat(fd.get(), &st) != 0) throw FileError(path, reasonOf(errno));
    checkReadable(path, st);

    const std::uint64_t limit = readableFileLimit();
    std::string data;
    if (st.st_size > 0) data.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw FileError(path, reasonOf(errno));
        }
        if (n == 0) break;
        // A file that grows while it is read is bounded all the same.
        if (data.size() + static_cast<std::size_t>(n) > limit)
            throw FileError(path, safe_file::tooLargeReason(data.size() + static_cast<std::size_t>(n)));
        data.append(buffer, static_cast<std::size_t>(n));
    }
    return data;
}

}  // namespace scorvale
