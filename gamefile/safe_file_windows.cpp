// The safe file on Windows: the same promises as on POSIX, made with the
// Win32 calls that keep them (wide paths, FlushFileBuffers, ReplaceFileW).
#include "gamefile/safe_file.h"

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <optional>
#include <random>

#include "gamefile/file_error.h"
#include "gamefile/safe_file_common.h"
#include "gamefile/save_target.h"
#include "platform/native_path.h"

namespace scorvale {

namespace {

// The reasons read as they do on POSIX: the errno text of the same fault.
std::string reasonOf(DWORD error) {
    int code = 0;
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_NETPATH:
        case ERROR_INVALID_DRIVE: code = ENOENT; break;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION: code = EACCES; break;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: code = ENOSPC; break;
        case ERROR_FILENAME_EXCED_RANGE: code = ENAMETOOLONG; break;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY: code = ENOMEM; break;
        default: return "Windows error " + std::to_string(error);
    }
    return std::strerror(code);
}

class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() {
        if (valid()) ::CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }
    bool close() {
        const bool ok = ::CloseHandle(h_) != 0;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};

// Opens what `wide` names for its attributes alone: reading them starts no
// device and takes no pipe's data. Links are followed.
HANDLE openForAttributes(const std::wstring& wide) {
    return ::CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// What an open handle names; `info` is filled for a file or a folder. A
// named pipe is Windows' FIFO.
FileKind kindOf(const std::string& path, HANDLE h, BY_HANDLE_FILE_INFORMATION& info) {
    switch (::GetFileType(h)) {
        case FILE_TYPE_DISK: break;
        case FILE_TYPE_CHAR: return FileKind::characterDevice;
        case FILE_TYPE_PIPE: return FileKind::fifo;
        default: return FileKind::other;
    }
    if (!::GetFileInformationByHandle(h, &info)) throw FileError(path, reasonOf(::GetLastError()));
    return info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? FileKind::folder : FileKind::regular;
}

std::uint64_t sizeOf(const BY_HANDLE_FILE_INFORMATION& info) {
    return static_cast<std::uint64_t>(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
}

// The size of a file that may be read.
std::uint64_t readableSize(const std::string& path, HANDLE h) {
    BY_HANDLE_FILE_INFORMATION info{};
    const FileKind kind = kindOf(path, h, info);
    const std::uint64_t size = kind == FileKind::regular ? sizeOf(info) : 0;
    safe_file::checkReadable(path, kind, size);
    return size;
}

// What a replaced file keeps of its attributes, given to the new one from
// the start (ReplaceFileW would merge them, but not everywhere does).
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// Whether the user may write the file: its read-only attribute, then a trial
// open for writing (which truncates nothing), the answer of its ACL. Any
// other failure (another program holding it, say) is the save's own to meet.
bool writable(const std::wstring& file, DWORD attributes) {
    if (attributes & FILE_ATTRIBUTE_READONLY) return false;
    const Handle h(::CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return h.valid() || ::GetLastError() != ERROR_ACCESS_DENIED;
}

// The file a save really replaces and what is there: the end of the links
// `wide` may be, so that a link stays a link (`wide` itself when nothing is
// there yet), with the attributes the new file keeps.
struct Replaced {
    std::wstring file;
    SaveTarget target;
    DWORD attributes = 0;
};

std::wstring finalPathOf(HANDLE h, const std::wstring& fallback) {
    std::wstring final(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetFinalPathNameByHandleW(h, final.data(), static_cast<DWORD>(final.size()),
                                                    FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n == 0) return fallback;
        if (n < final.size()) {
            final.resize(n);
            return final;
        }
        final.resize(n + 1);
    }
}

Replaced replacedAt(const std::string& path, const std::wstring& wide) {
    Replaced found;
    Handle h(openForAttributes(wide));
    if (!h.valid()) {
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_NOT_FOUND) throw FileError(path, reasonOf(error));
        found.file = wide;
        return found;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    found.target.kind = kindOf(path, h.get(), info);
    if (found.target.kind != FileKind::regular) return found;
    found.file = finalPathOf(h.get(), wide);
    found.target.names = info.nNumberOfLinks;
    found.target.writable = writable(found.file, info.dwFileAttributes);
    found.attributes = info.dwFileAttributes & kKeptAttributes;
    return found;
}

std::wstring temporaryName(const std::wstring& file) {
    static std::mt19937_64 random{std::random_device{}() ^ static_cast<std::uint64_t>(::GetTickCount64())};
    wchar_t suffix[24];
    ::swprintf(suffix, sizeof suffix / sizeof suffix[0], L".%06llx",
               static_cast<unsigned long long>(random() & 0xFFFFFF));
    return file + suffix;
}

}  // namespace

void writeFileAtomically(const std::string& path, const std::function<void(const ByteSink&)>& produce) {
    const Replaced replaced = replacedAt(path, platform::widePath(path));
    if (const std::optional<SaveRefusal> refusal = saveRefusal(replaced.target)) throw SaveRefusedError(path, *refusal);
    const std::wstring& file = replaced.file;
    const bool exists = replaced.target.kind != FileKind::missing;

    // Beside the file replaced: ReplaceFileW and MoveFileExW stay within one
    // folder and one volume.
    std::wstring tmpPath;
    HANDLE created = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && created == INVALID_HANDLE_VALUE; ++attempt) {
        tmpPath = temporaryName(file);
        created = ::CreateFileW(tmpPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                replaced.attributes ? replaced.attributes : FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) break;
    }
    if (created == INVALID_HANDLE_VALUE) throw FileError(path, reasonOf(::GetLastError()));
    Handle out(created);
    auto fail = [&](DWORD error) {
        if (out.valid()) out.close();
        ::DeleteFileW(tmpPath.c_str());
        throw FileError(path, reasonOf(error));
    };

    std::size_t written = 0;
    const ByteSink write = [&](std::string_view piece) {
        std::size_t done = 0;
        while (done < piece.size()) {
            safe_file::checkWriteFault(path, written);
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(piece.size() - done, 1u << 30));
            DWORD n = 0;
            if (!::WriteFile(out.get(), piece.data() + done, chunk, &n, nullptr))
                throw FileError(path, reasonOf(::GetLastError()));
            done += n;
            written += n;
        }
    };
    try {
        produce(write);
    } catch (...) {
        out.close();
        ::DeleteFileW(tmpPath.c_str());
        throw;
    }
    if (!::FlushFileBuffers(out.get())) fail(::GetLastError());
    if (!out.close()) fail(::GetLastError());

    // ReplaceFileW keeps what the old file had beyond its bytes (attributes,
    // permissions); a new file is moved into place. Both are durable when
    // they return.
    bool done = false;
    if (exists) {
        done = ::ReplaceFileW(file.c_str(), tmpPath.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                              nullptr) != 0;
        // Gone meanwhile: a new file after all.
        if (!done && ::GetLastError() != ERROR_FILE_NOT_FOUND) fail(::GetLastError());
    }
    if (!done && !::MoveFileExW(tmpPath.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        fail(::GetLastError());
}

std::uint64_t readableFileLimit() {
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof memory;
    const std::uint64_t physical =
        ::GlobalMemoryStatusEx(&memory) ? memory.ullTotalPhys : std::numeric_limits<std::uint64_t>::max();
    return std::min<std::uint64_t>(physical, std::string().max_size());
}

std::string readWholeFile(const std::string& path) {
    const std::wstring wide = platform::widePath(path);
    // Looked at before it is opened for reading, as on POSIX: a device or a
    // pipe is refused without taking anything from it.
    {
        Handle probe(openForAttributes(wide));
        if (!probe.valid()) throw FileError(path, reasonOf(::GetLastError()));
        readableSize(path, probe.get());
    }
    Handle in(::CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!in.valid()) throw FileError(path, reasonOf(::GetLastError()));
    const std::uint64_t size = readableSize(path, in.get());

    const std::uint64_t limit = readableFileLimit();
    std::string data;
    data.reserve(static_cast<std::size_t>(size));
    char buffer[1 << 16];
    for (;;) {
        DWORD n = 0;
        if (!::ReadFile(in.get(), buffer, sizeof buffer, &n, nullptr)) throw FileError(path, reasonOf(::GetLastError()));
        if (n == 0) break;
        // A file that grows while it is read is bounded all the same.
        if (data.size() + n > limit) throw FileError(path, safe_file::tooLargeReason(data.size() + n));
        data.append(buffer, n);
    }
    return data;
}

}  // namespace scorvale
