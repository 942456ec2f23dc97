#include <CLI/CLI.hpp>

#include "tools/svltool/game_io.h"
#include "tools/svltool/subcommand.h"

namespace scorvale::tool {

namespace {

class DecodeCommand : public Subcommand {
public:
    DecodeCommand() : Subcommand("decode", "Print the game file unscrambled (Shift-JIS, CR LF).") {}

    void defineOptions(CLI::App& app) override {
        app.add_option("FILE", file_, "game file, scrambled or plain")->required();
        app.add_option("-o,--output", out_, "write to OUT instead of standard output")->option_text("OUT");
    }

    void run() override { writeOutput(out_, plainFileText(readGameFile(file_))); }

private:
    std::string file_;
    std::string out_;
};

}  // namespace

std::unique_ptr<Subcommand> makeDecodeCommand() { return std::make_unique<DecodeCommand>(); }

}  // namespace scorvale::tool
