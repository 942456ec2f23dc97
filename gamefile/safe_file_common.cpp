#include "gamefile/safe_file_common.h"

#include <cerrno>
#include <cstring>

#include "gamefile/file_error.h"
#include "gamefile/safe_file.h"

namespace scorvale {

namespace {

WriteFaultHook& faultHook() {
    static WriteFaultHook hook;
    return hook;
}

}  // namespace

void setWriteFaultHookForTesting(WriteFaultHook hook) { faultHook() = std::move(hook); }

void writeFileAtomically(const std::string& path, std::string_view bytes) {
    writeFileAtomically(path, [bytes](const ByteSink& write) { write(bytes); });
}

namespace safe_file {

void checkWriteFault(const std::string& path, std::size_t written) {
    if (faultHook() && !faultHook()(written)) throw FileError(path, std::strerror(ENOSPC));
}

void checkReadable(const std::string& path, FileKind kind, std::uint64_t size) {
    if (kind == FileKind::folder) throw FileError(path, std::strerror(EISDIR));
    if (kind != FileKind::regular) throw FileError(path, notRegularReason(kind));
    if (size > readableFileLimit()) throw FileError(path, tooLargeReason(size));
}

std::string tooLargeReason(std::uint64_t size) {
    return "too large to load: " + std::to_string(size) + " bytes, more than the " +
           std::to_string(readableFileLimit()) + " bytes of this computer's memory";
}

}  // namespace safe_file
}  // namespace scorvale
