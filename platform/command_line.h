#pragma once

#include <string>
#include <vector>

// A command-line program's arguments and output, the same on every system.
namespace scorvale::platform {

// The arguments as the core names files (see native_path.h): argv itself on
// POSIX, the wide command line converted to UTF-8 on Windows (argv there is
// in the ANSI code page and loses what it cannot hold).
std::vector<std::string> commandLineArguments(int argc, char** argv);

// Standard output and error take bytes as they are: Windows would otherwise
// turn each "\n" into "\r\n", changing Shift-JIS or JSON output and the
// one-line messages scripts read.
void useBinaryStandardStreams();

}  // namespace scorvale::platform
