#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace scorvale::testing {

struct RunResult {
    int status = -1;  // exit status, or -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs `program` with `args`, standard input empty, and collects its output.
RunResult runProgram(const std::string& program, const std::vector<std::string>& args);
RunResult runTool(const std::vector<std::string>& args);

// The example game of the source tree.
inline const std::string kExampleGame = std::string(SOURCE_ROOT) + "/examples/worldcup2002.svl";

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);

// A new folder of its own under the system's temporary folder.
std::filesystem::path makeScratchFolder();

// A fresh folder under the system's temporary folder, removed at the end.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

}  // namespace scorvale::testing
