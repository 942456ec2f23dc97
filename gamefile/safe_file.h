#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace scorvale {

// Writes `bytes` to `path` without ever destroying what is there: a temporary
// file in the same folder is written, flushed, synced and renamed over the
// target. On any failure the temporary file is removed, the old file stays
// byte for byte, and FileError is thrown.
void writeFileAtomically(const std::string& path, std::string_view bytes);

// The same for a file made piece by piece: `produce` is called once and hands
// each piece in order to the writer it is given, so the whole file never
// has to lie in memory. Whatever `produce` throws also removes the temporary
// file and leaves the old one; it is passed on.
using ByteSink = std::function<void(std::string_view piece)>;
void writeFileAtomically(const std::string& path, const std::function<void(const ByteSink&)>& produce);

// Reads the whole file; throws FileError when it cannot be opened or read.
std::string readWholeFile(const std::string& path);

// Test seam: called before each write(2) of the temporary file with the bytes
// written so far; returning false makes that write fail as a full disk would.
using WriteFaultHook = std::function<bool(std::size_t written)>;
void setWriteFaultHookForTesting(WriteFaultHook hook);

}  // namespace scorvale
