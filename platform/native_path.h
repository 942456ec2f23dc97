#pragma once

#include <string>

// How the core names files. A path is a std::string everywhere in the core:
// the bytes the system gives on POSIX, and UTF-8 on Windows, where it becomes
// UTF-16 only at each call into the system (never the ANSI code page, which
// cannot hold every name).
namespace scorvale::platform {

#ifdef _WIN32
// UTF-8 <-> UTF-16. Invalid input becomes U+FFFD rather than failing: a name
// that cannot be converted then names no file, and the call reports that.
std::wstring widePath(const std::string& utf8);
std::string utf8Path(const std::wstring& wide);
#endif

}  // namespace scorvale::platform
