#include <CLI/CLI.hpp>
#include <optional>

#include "lists/standings_tables.h"
#include "scoring/ordering.h"
#include "tools/svltool/game_io.h"
#include "tools/svltool/standings_json.h"
#include "tools/svltool/subcommand.h"

namespace scorvale::tool {

namespace {

class StandingsCommand : public Subcommand {
public:
    StandingsCommand() : Subcommand("standings", "Print the teams and members as the main window lists them.") {}

    void defineOptions(CLI::App& app) override {
        app.add_option("FILE", file_, "game file")->required();
        auto* json = app.add_flag("--json", json_, "one JSON object (UTF-8)");
        auto* csv = app.add_flag("--csv", csv_, "the two tables as CSV for a spreadsheet (UTF-8 with a BOM, CR LF)")
                        ->excludes(json);
        app.add_flag("--tsv", tsv_, "the two tables with the main window's columns (default)")->excludes(json)->excludes(csv);
        app.add_option("--team-key", teamKey_, "then order the teams by this column key")->option_text("K");
        app.add_option("--member-key", memberKey_, "then order the members by this column key")->option_text("K");
    }

    void run() override {
        Game game = loadNew(file_, true);
        // Any key code is taken, as the orderings take it.
        if (teamKey_) sortTeams(game, static_cast<TeamSortKey>(*teamKey_));
        if (memberKey_) sortMembers(game, static_cast<MemberSortKey>(*memberKey_));
        writeOutput({}, json_ ? standingsJson(game) : csv_ ? lists::standingsCsv(game) : lists::standingsTsv(game));
    }

private:
    std::string file_;
    bool json_ = false;
    bool csv_ = false;
    bool tsv_ = false;
    std::optional<int> teamKey_;
    std::optional<int> memberKey_;
};

}  // namespace

std::unique_ptr<Subcommand> makeStandingsCommand() { return std::make_unique<StandingsCommand>(); }

}  // namespace scorvale::tool
