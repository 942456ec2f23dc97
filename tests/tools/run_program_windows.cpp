// Starting a program and making a scratch folder with Win32 calls.
#include <windows.h>

#include <random>
#include <stdexcept>

#include "platform/native_path.h"
#include "tests/tools/run_tool.h"

namespace scorvale::testing {

namespace {

// One argument as CommandLineToArgvW (and the C runtime) splits it back.
std::wstring quoted(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) return arg;
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

HANDLE inheritable(const std::wstring& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    const HANDLE h = ::CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, disposition,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open a standard stream");
    return h;
}

}  // namespace

RunResult runProgram(const std::string& program, const std::vector<std::string>& args) {
    RunResult result;
    {
        ScratchDir io;
        const std::wstring outPath = (io.path() / "out").wstring();
        const std::wstring errPath = (io.path() / "err").wstring();
        std::wstring commandLine = quoted(platform::widePath(program));
        for (const std::string& a : args) commandLine += L' ' + quoted(platform::widePath(a));

        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = inheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
        startup.hStdOutput = inheritable(outPath, GENERIC_WRITE, CREATE_ALWAYS);
        startup.hStdError = inheritable(errPath, GENERIC_WRITE, CREATE_ALWAYS);
        PROCESS_INFORMATION process{};
        const BOOL started = ::CreateProcessW(platform::widePath(program).c_str(), commandLine.data(), nullptr, nullptr,
                                              TRUE, 0, nullptr, nullptr, &startup, &process);
        ::CloseHandle(startup.hStdInput);
        ::CloseHandle(startup.hStdOutput);
        ::CloseHandle(startup.hStdError);
        if (!started) throw std::runtime_error("cannot start " + program);
        ::WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        ::GetExitCodeProcess(process.hProcess, &code);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
        result.status = static_cast<int>(code);
        result.out = readFile(io.path() / "out");
        result.err = readFile(io.path() / "err");
    }
    return result;
}

std::filesystem::path makeScratchFolder() {
    std::random_device seed;
    std::mt19937_64 random(seed());
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path candidate = base / ("svltool-test-" + std::to_string(random() % 1000000000));
        if (std::filesystem::create_directory(candidate)) return candidate;
    }
    throw std::runtime_error("cannot make a scratch folder");
}

}  // namespace scorvale::testing
