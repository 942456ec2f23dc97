// svltool: reads, converts and reports Scorvale game files from the command
// line, over the same core as the program.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>

#include "gamefile/file_error.h"
#include "gamefile/game_file.h"
#include "scoring/ordering.h"
#include "tools/svltool/commands.h"

namespace {

constexpr int kExitBadFile = 1;
constexpr int kExitUsage = 2;

}  // namespace

int main(int argc, char** argv) {
    using namespace scorvale;

    CLI::App app{"Reads, converts and reports Scorvale game files (.svl).", "svltool"};
    app.require_subcommand(1);
    app.fallthrough(false);

    std::string file;
    std::string out;

    auto* decode = app.add_subcommand("decode", "Print the game file unscrambled (Shift-JIS, CR LF).");
    decode->add_option("FILE", file, "game file, scrambled or plain")->required();
    decode->add_option("-o,--output", out, "write to OUT instead of standard output")->option_text("OUT");

    auto* encode = app.add_subcommand("encode", "Load FILE anew and write it as the program saves it.");
    encode->add_option("FILE", file, "game file, scrambled or plain")->required();
    encode->add_option("-o,--output", out, "write to OUT instead of standard output")->option_text("OUT");

    bool json = false;
    bool tsv = false;
    std::optional<int> teamKey;
    std::optional<int> memberKey;
    auto* standings = app.add_subcommand("standings", "Print the teams and members as the main window lists them.");
    standings->add_option("FILE", file, "game file")->required();
    auto* jsonFlag = standings->add_flag("--json", json, "one JSON object (UTF-8)");
    standings->add_flag("--tsv", tsv, "the two tables with the main window's columns (default)")->excludes(jsonFlag);
    standings->add_option("--team-key", teamKey, "then order the teams by this column key")->option_text("K");
    standings->add_option("--member-key", memberKey, "then order the members by this column key")->option_text("K");

    tool::ReportOptions options;
    auto* report = app.add_subcommand("report", "Write the HTML standings page as the program's HTML output does.");
    report->add_option("FILE", file, "game file")->required();
    report->add_option("-o,--output", out, "the page to write")->option_text("OUT")->required();
    report->add_option("--title", options.title, "report title (default: the game's title)");
    report->add_option("--date", options.date, "report date (default: the game's date)");
    report->add_option("--editor", options.editor, "presenter (default: the one stored in the game)");
    report->add_option("--member-range", options.memberRange, "members shown: 0 top 5, 1 top 10, 2 all")
        ->check(CLI::Range(0, 2))
        ->option_text("0|1|2");
    report->add_option("--team-range", options.teamRange, "teams shown: 0 top 5, 1 top 10, 2 all")
        ->check(CLI::Range(0, 2))
        ->option_text("0|1|2");
    report->add_flag("--details", options.details, "add the member detail tables");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return kExitUsage;
    }

    try {
        if (decode->parsed()) {
            tool::writeOutput(out, tool::plainFileText(tool::readGameFile(file)));
        } else if (encode->parsed()) {
            const Game game = tool::loadNew(file, false);
            // The program saves only a game that has a title.
            if (game.settings.name.empty()) throw tool::BadFileError("the game has no title; nothing is written");
            tool::writeOutput(out, [&](const ByteSink& write) { writeGameBytes(game, write); });
        } else if (standings->parsed()) {
            Game game = tool::loadNew(file, true);
            if (teamKey) sortTeams(game, *teamKey);
            if (memberKey) sortMembers(game, *memberKey);
            tool::writeOutput({}, json ? tool::standingsJson(game) : tool::standingsTsv(game));
        } else if (report->parsed()) {
            Game game = tool::loadNew(file, true);
            tool::writeReport(game, options, out);
        }
    } catch (const FileError& e) {
        std::cerr << "svltool: " << e.what() << '\n';
        return kExitBadFile;
    } catch (const tool::BadFileError& e) {
        std::cerr << "svltool: " << file << ": " << e.what() << '\n';
        return kExitBadFile;
    } catch (const tool::UsageError& e) {
        std::cerr << "svltool: " << e.what() << '\n';
        return kExitUsage;
    }
    return 0;
}
