#include "tests/tools/run_tool.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace scorvale::testing {

RunResult runTool(const std::vector<std::string>& args) { return runProgram(SVLTOOL_PATH, args); }

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

ScratchDir::ScratchDir() : path_(makeScratchFolder()) {}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace scorvale::testing
