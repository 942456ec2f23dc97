#include "platform/command_line.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>

#include <cstdio>

#include "platform/native_path.h"
#endif

namespace scorvale::platform {

#ifdef _WIN32

std::vector<std::string> commandLineArguments(int, char**) {
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    if (wide == nullptr) return arguments;
    for (int i = 0; i < count; ++i) arguments.push_back(utf8Path(wide[i]));
    ::LocalFree(wide);
    return arguments;
}

void useBinaryStandardStreams() {
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
}

#else

std::vector<std::string> commandLineArguments(int argc, char** argv) { return {argv, argv + argc}; }

void useBinaryStandardStreams() {}

#endif

}  // namespace scorvale::platform
