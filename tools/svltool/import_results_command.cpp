#include <CLI/CLI.hpp>
#include <iostream>
#include <optional>

#include "gamefile/game_file.h"
#include "gamefile/safe_file.h"
#include "imports/results_import.h"
#include "imports/results_replay.h"
#include "model/today_text.h"
#include "tools/svltool/game_io.h"
#include "tools/svltool/subcommand.h"
#include "tools/svltool/tool_errors.h"

namespace scorvale::tool {

namespace {

// What the window's import does between its file dialog and its preview,
// with the default plan taken as it is.
class ImportResultsCommand : public Subcommand {
public:
    ImportResultsCommand()
        : Subcommand("import-results",
                     "Recompute the results of the teams a match list (JSON or CSV) names and write the game.") {}

    void defineOptions(CLI::App& app) override {
        app.add_option("GAME", game_, "game file")->required();
        app.add_option("MATCHES", matches_, "match list: openfootball JSON or CSV")->required();
        app.add_option("-o,--output", out_, "the game file to write (may be GAME)")->option_text("OUT")->required();
        app.add_option("--names", names_, "names file: name in the list, a tab, name in the game")->option_text("FILE");
        app.add_flag("--knockout-goals", knockoutGoals_,
                     "count the goals of knockout matches (after extra time) in the goal difference");
        app.add_flag("--strict", strict_, "any problem is an error: nothing is written");
    }

    void run() override {
        // Loaded as encode loads it: the teams keep the file's order, and the
        // new ones follow at the end, so the written file differs only where
        // the list changed something.
        Game game = loadNew(game_, false);
        if (game.settings.name.empty()) throw BadFileError(game_, "the game has no title; nothing is written");
        std::vector<imports::NameAlias> aliases;
        if (names_) aliases = readNamesFile(*names_);
        const std::string bytes = readWholeFile(matches_);

        imports::ImportSummary summary;
        try {
            imports::TeamMatcher matcher(game, std::move(aliases));
            const imports::PreparedImport prepared =
                imports::prepareImport(bytes, matcher, imports::ResultOptions{knockoutGoals_});
            // What the reading took on trust, before anything is written.
            for (const imports::ImportError& problem : prepared.list.problems)
                std::cerr << "svltool: " << matches_ << ": " << problem.what() << '\n';
            if (const std::size_t count = prepared.list.problems.size(); strict_ && count > 0)
                throw BadFileError(matches_, std::to_string(count) + (count == 1 ? " problem" : " problems") +
                                                 " with --strict; nothing is written");
            summary = imports::applyImportWithHistory(game, prepared.list, prepared.results, prepared.plan,
                                                      imports::ResultOptions{knockoutGoals_}, todayText());
        } catch (const imports::ImportError& e) {
            throw BadFileError(matches_, e.what());
        }
        writeOutput(out_, [&](const ByteSink& write) { writeGameBytes(game, write); });

        for (const imports::AddedTeam& team : summary.added) {
            std::cerr << "svltool: added \"" << team.gameName << '"';
            if (team.gameName != team.listName) std::cerr << " for \"" << team.listName << '"';
            std::cerr << '\n';
        }
        for (const std::string& name : summary.notInList)
            std::cerr << "svltool: \"" << name << "\" is not in the list; left as it was\n";
    }

private:
    std::string game_;
    std::string matches_;
    std::string out_;
    std::optional<std::string> names_;
    bool knockoutGoals_ = false;
    bool strict_ = false;
};

}  // namespace

std::unique_ptr<Subcommand> makeImportResultsCommand() { return std::make_unique<ImportResultsCommand>(); }

}  // namespace scorvale::tool
