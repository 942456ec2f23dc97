#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "gamefile/save_target.h"

// What the POSIX and the Windows safe files share; each gathers its facts
// with its own calls and hands them here.
namespace scorvale::safe_file {

// Throws the full disk's FileError when the test seam fails the write made
// after `written` bytes.
void checkWriteFault(const std::string& path, std::size_t written);

// Refuses to read anything but a regular file of at most readableFileLimit()
// bytes.
void checkReadable(const std::string& path, FileKind kind, std::uint64_t size);

// The reason a file of `size` bytes is not read.
std::string tooLargeReason(std::uint64_t size);

}  // namespace scorvale::safe_file
