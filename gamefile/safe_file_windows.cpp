// The safe file on Windows: the same promises as on POSIX, made with the
// Win32 calls that keep them (wide paths, FlushFileBuffers, ReplaceFileW).
#include "gamefile/safe_file.h"

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <random>

#include "gamefile/file_error.h"
#include "platform/native_path.h"

namespace scorvale {

namespace {

WriteFaultHook& faultHook() {
    static WriteFaultHook hook;
    return hook;
}

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

std::string tooLarge(std::uint64_t size) {
    return "too large to load: " + std::to_string(size) + " bytes, more than the " +
           std::to_string(readableFileLimit()) + " bytes of this computer's memory";
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

const char* kindOf(DWORD type) {
    switch (type) {
        case FILE_TYPE_CHAR: return "a character device";
        case FILE_TYPE_PIPE: return "a pipe";
        default: return "neither file nor folder";
    }
}

// Refuses all but a regular file: a folder, a device (NUL, CON, COM1) or a
// pipe. `info` is filled for a regular file.
void checkRegular(const std::string& path, HANDLE h, BY_HANDLE_FILE_INFORMATION& info) {
    const DWORD type = ::GetFileType(h);
    if (type != FILE_TYPE_DISK) throw FileError(path, std::string("not a regular file (") + kindOf(type) + ")");
    if (!::GetFileInformationByHandle(h, &info)) throw FileError(path, reasonOf(::GetLastError()));
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) throw FileError(path, std::strerror(EISDIR));
}

std::uint64_t sizeOf(const BY_HANDLE_FILE_INFORMATION& info) {
    return static_cast<std::uint64_t>(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
}

// What a replaced file keeps of its attributes, given to the new one from
// the start (ReplaceFileW would merge them, but not everywhere does).
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// The file a save really replaces: the end of the links `wide` may be, so
// that a link stays a link; `wide` itself when nothing is there yet.
// `attributes` receives those the new file keeps.
std::wstring finalTarget(const std::string& path, const std::wstring& wide, bool& exists, DWORD& attributes) {
    Handle h(openForAttributes(wide));
    if (!h.valid()) {
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_NOT_FOUND) throw FileError(path, reasonOf(error));
        exists = false;
        return wide;
    }
    exists = true;
    BY_HANDLE_FILE_INFORMATION info{};
    checkRegular(path, h.get(), info);
    // Refused before anything is written, as on POSIX: the user may not
    // change this file.
    if (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) throw FileError(path, std::strerror(EACCES));
    attributes = info.dwFileAttributes & kKeptAttributes;
    std::wstring final(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetFinalPathNameByHandleW(h.get(), final.data(), static_cast<DWORD>(final.size()),
                                                    FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n == 0) return wide;
        if (n < final.size()) {
            final.resize(n);
            return final;
        }
        final.resize(n + 1);
    }
}

std::wstring temporaryName(const std::wstring& file) {
    static std::mt19937_64 random{std::random_device{}() ^ static_cast<std::uint64_t>(::GetTickCount64())};
    wchar_t suffix[24];
    ::swprintf(suffix, sizeof suffix / sizeof suffix[0], L".%06llx",
               static_cast<unsigned long long>(random() & 0xFFFFFF));
    return file + suffix;
}

}  // namespace

void setWriteFaultHookForTesting(WriteFaultHook hook) { faultHook() = std::move(hook); }

void writeFileAtomically(const std::string& path, std::string_view bytes) {
    writeFileAtomically(path, [bytes](const ByteSink& write) { write(bytes); });
}

void writeFileAtomically(const std::string& path, const std::function<void(const ByteSink&)>& produce) {
    bool exists = false;
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    const std::wstring file = finalTarget(path, platform::widePath(path), exists, attributes);

    // Beside the file replaced: ReplaceFileW and MoveFileExW stay within one
    // folder and one volume.
    std::wstring tmpPath;
    HANDLE created = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && created == INVALID_HANDLE_VALUE; ++attempt) {
        tmpPath = temporaryName(file);
        created = ::CreateFileW(tmpPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                attributes ? attributes : FILE_ATTRIBUTE_NORMAL, nullptr);
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
            if (faultHook() && !faultHook()(written)) throw FileError(path, reasonOf(ERROR_DISK_FULL));
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
    bool replaced = false;
    if (exists) {
        replaced = ::ReplaceFileW(file.c_str(), tmpPath.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                                  nullptr) != 0;
        // Gone meanwhile: a new file after all.
        if (!replaced && ::GetLastError() != ERROR_FILE_NOT_FOUND) fail(::GetLastError());
    }
    if (!replaced && !::MoveFileExW(tmpPath.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
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
        BY_HANDLE_FILE_INFORMATION info{};
        checkRegular(path, probe.get(), info);
    }
    Handle in(::CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!in.valid()) throw FileError(path, reasonOf(::GetLastError()));
    BY_HANDLE_FILE_INFORMATION info{};
    checkRegular(path, in.get(), info);
    const std::uint64_t limit = readableFileLimit();
    if (sizeOf(info) > limit) throw FileError(path, tooLarge(sizeOf(info)));

    std::string data;
    data.reserve(static_cast<std::size_t>(sizeOf(info)));
    char buffer[1 << 16];
    for (;;) {
        DWORD n = 0;
        if (!::ReadFile(in.get(), buffer, sizeof buffer, &n, nullptr)) throw FileError(path, reasonOf(::GetLastError()));
        if (n == 0) break;
        // A file that grows while it is read is bounded all the same.
        if (data.size() + n > limit) throw FileError(path, tooLarge(data.size() + n));
        data.append(buffer, n);
    }
    return data;
}

}  // namespace scorvale
