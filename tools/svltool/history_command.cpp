#include <CLI/CLI.hpp>

#include "gamefile/game_file.h"
#include "text/sjis_codec.h"
#include "tools/svltool/game_io.h"
#include "tools/svltool/subcommand.h"
#include "tools/svltool/tool_errors.h"

namespace scorvale::tool {

namespace {

// One row a team a day, oldest day first (UTF-8).
std::string historyTsv(const ResultsHistory& history) {
    std::string out = "date\tfixed\tteam\twins\tdraws\tlosses\ttournamentWins\tgoalDiff\tqualify\tout\n";
    for (const HistoryDay& day : history.days())
        for (const RecordedResults& t : day.teams) {
            out += sjis::toUtf8(day.date);
            out += day.rankingFixed ? "\t1\t" : "\t0\t";
            out += sjis::toUtf8(t.name.view());
            for (const std::int32_t n : {t.wins, t.draws, t.losses, t.tournamentWins, t.goalDiff, t.qualify, t.out})
                out += '\t' + std::to_string(n);
            out += '\n';
        }
    return out;
}

class HistoryCommand : public Subcommand {
public:
    HistoryCommand()
        : Subcommand("history", "Print the teams' results the game has recorded day by day, or clear them.") {}

    void defineOptions(CLI::App& app) override {
        app.add_option("FILE", file_, "game file")->required();
        auto* clear = app.add_flag("--clear", clear_, "write the game without its history (needs -o)");
        app.add_option("-o,--output", out_, "the game file to write with --clear (may be FILE)")
            ->option_text("OUT")
            ->needs(clear);
    }

    void run() override {
        // The file's order, as encode keeps it: a cleared game differs only by its history.
        Game game = loadNew(file_, false);
        if (!clear_) {
            writeOutput({}, historyTsv(game.history));
            return;
        }
        if (out_.empty()) throw UsageError("--clear needs -o OUT");
        game.history.clear();
        writeOutput(out_, [&](const ByteSink& write) { writeGameBytes(game, write); });
    }

private:
    std::string file_;
    std::string out_;
    bool clear_ = false;
};

}  // namespace

std::unique_ptr<Subcommand> makeHistoryCommand() { return std::make_unique<HistoryCommand>(); }

}  // namespace scorvale::tool
