#include "tools/svltool/page_values.h"

#include <CLI/CLI.hpp>

#include "scoring/standings.h"
#include "text/sjis_codec.h"
#include "tools/svltool/game_io.h"
#include "tools/svltool/tool_errors.h"

namespace scorvale::tool {

namespace {
std::string toShiftJis(const char* option, const std::string& text) {
    auto converted = sjis::fromUtf8(text);
    if (!converted) throw UsageError(std::string(option) + ": a character cannot be written in Shift-JIS");
    return *converted;
}
}  // namespace

void PageValues::define(CLI::App& app, bool details) {
    app.add_option("--title", title_, "report title (default: the game's title)");
    app.add_option("--date", date_, "report date (default: the game's date)");
    app.add_option("--editor", editor_, "presenter (default: the one stored in the game)");
    app.add_option("--member-range", memberRange_, "members shown: 0 top 5, 1 top 10, 2 all")
        ->check(CLI::Range(0, 2))
        ->option_text("0|1|2");
    app.add_option("--team-range", teamRange_, "teams shown: 0 top 5, 1 top 10, 2 all")
        ->check(CLI::Range(0, 2))
        ->option_text("0|1|2");
    if (details) app.add_flag("--details", details_, "add the member detail tables");
}

Game PageValues::prepare(const std::string& file) const {
    Game game = loadNew(file, true);
    ReportSettings values = game.report;
    values.title = title_ ? toShiftJis("--title", *title_) : game.settings.name;
    values.date = date_ ? toShiftJis("--date", *date_) : game.settings.date;
    if (editor_) values.editor = toShiftJis("--editor", *editor_);
    values.memberRange = memberRange_;
    values.teamRange = teamRange_;
    values.memberDetails = details_ ? 1 : 0;
    values.teamDetails = 0;

    computeStandings(game);
    if (game.settings.name.empty()) throw BadFileError(file, "the game has no title; no report is written");

    // Stored as the command stores them; the game's own date stays.
    game.settings.name = values.title;
    game.report = values;
    return game;
}

}  // namespace scorvale::tool
