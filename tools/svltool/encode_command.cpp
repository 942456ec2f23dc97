#include <CLI/CLI.hpp>

#include "gamefile/game_file.h"
#include "tools/svltool/game_io.h"
#include "tools/svltool/subcommand.h"
#include "tools/svltool/tool_errors.h"

namespace scorvale::tool {

namespace {

class EncodeCommand : public Subcommand {
public:
    EncodeCommand() : Subcommand("encode", "Load FILE anew and write it as the program saves it.") {}

    void defineOptions(CLI::App& app) override {
        app.add_option("FILE", file_, "game file, scrambled or plain")->required();
        app.add_option("-o,--output", out_, "write to OUT instead of standard output")->option_text("OUT");
    }

    void run() override {
        const Game game = loadNew(file_, false);
        // The program saves only a game that has a title.
        if (game.settings.name.empty()) throw BadFileError(file_, "the game has no title; nothing is written");
        writeOutput(out_, [&](const ByteSink& write) { writeGameBytes(game, write); });
    }

private:
    std::string file_;
    std::string out_;
};

}  // namespace

std::unique_ptr<Subcommand> makeEncodeCommand() { return std::make_unique<EncodeCommand>(); }

}  // namespace scorvale::tool
