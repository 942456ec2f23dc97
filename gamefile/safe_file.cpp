#include "gamefile/safe_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "gamefile/file_error.h"

namespace scorvale {

namespace {

WriteFaultHook& faultHook() {
    static WriteFaultHook hook;
    return hook;
}

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

}  // namespace

void setWriteFaultHookForTesting(WriteFaultHook hook) { faultHook() = std::move(hook); }

void writeFileAtomically(const std::string& path, std::string_view bytes) {
    writeFileAtomically(path, [bytes](const ByteSink& write) { write(bytes); });
}

void writeFileAtomically(const std::string& path, const std::function<void(const ByteSink&)>& produce) {
    struct stat target {};
    if (::stat(path.c_str(), &target) == 0 && S_ISDIR(target.st_mode)) throw FileError(path, reasonOf(EISDIR));

    std::string tmpl = path + ".XXXXXX";
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
    if (::stat(path.c_str(), &target) == 0) {
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
            if (faultHook() && !faultHook()(written)) throw FileError(path, reasonOf(ENOSPC));
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
    if (::rename(tmpPath.c_str(), path.c_str()) != 0) fail(errno);

    // Make the rename itself durable.
    Fd dir(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY));
    if (dir.get() >= 0) ::fsync(dir.get());
}

std::string readWholeFile(const std::string& path) {
    Fd fd(::open(path.c_str(), O_RDONLY));
    if (fd.get() < 0) throw FileError(path, reasonOf(errno));
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) throw FileError(path, reasonOf(errno));
    if (S_ISDIR(st.st_mode)) throw FileError(path, reasonOf(EISDIR));
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
        data.append(buffer, static_cast<std::size_t>(n));
    }
    return data;
}

}  // namespace scorvale
