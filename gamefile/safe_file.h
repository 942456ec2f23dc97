#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace scorvale {

// Writes `bytes` to `path` without ever destroying what is there: a temporary
// file in the same folder is written, flushed, synced and renamed over the
// target. On any failure the temporary file is removed, the old file stays
// byte for byte, and FileError is thrown. A target a save may not replace
// (saveRefusal) is refused before anything is written.
void writeFileAtomically(const std::string& path, std::string_view bytes);

// The same for a file made piece by piece: `produce` is called once and hands
// each piece in order to the writer it is given, so the whole file never
// has to lie in memory. Whatever `produce` throws also removes the temporary
// file and leaves the old one; it is passed on.
using ByteSink = std::function<void(std::string_view piece)>;
void writeFileAtomically(const std::string& path, const std::function<void(const ByteSink&)>& produce);

// Reads the whole file; throws FileError when it cannot be opened or read.
// Only a regular file is read (a folder, FIFO, device or socket is refused
// before anything is opened), and only one of at most readableFileLimit()
// bytes.
std::string readWholeFile(const std::string& path);

// The largest file readWholeFile takes: the machine's physical memory (and
// never more than a std::string holds). The whole file lies in memory before
// it is parsed and the game is built beside it, so a larger one can never be
// loaded; trying would only drive the system into the out-of-memory killer,
// which a program cannot catch, long before new fails.
std::uint64_t readableFileLimit();

// Test seam: called before each write(2) of the temporary file with the bytes
// written so far; returning false makes that write fail as a full disk would.
using WriteFaultHook = std::function<bool(std::size_t written)>;
void setWriteFaultHookForTesting(WriteFaultHook hook);

}  // namespace scorvale
