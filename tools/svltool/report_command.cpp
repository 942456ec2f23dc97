#include <CLI/CLI.hpp>
#include <optional>

#include "report/html_report.h"
#include "scoring/standings.h"
#include "text/sjis_codec.h"
#include "tools/svltool/game_io.h"
#include "tools/svltool/subcommand.h"
#include "tools/svltool/tool_errors.h"

namespace scorvale::tool {

namespace {

std::string toShiftJis(const char* option, const std::string& text) {
    auto converted = sjis::fromUtf8(text);
    if (!converted) throw UsageError(std::string(option) + ": a character cannot be written in Shift-JIS");
    return *converted;
}

// What the HTML output command does after its dialog: fill, score, store, write.
class ReportCommand : public Subcommand {
public:
    ReportCommand() : Subcommand("report", "Write the HTML standings page as the program's HTML output does.") {}

    void defineOptions(CLI::App& app) override {
        app.add_option("FILE", file_, "game file")->required();
        app.add_option("-o,--output", out_, "the page to write")->option_text("OUT")->required();
        app.add_option("--title", title_, "report title (default: the game's title)");
        app.add_option("--date", date_, "report date (default: the game's date)");
        app.add_option("--editor", editor_, "presenter (default: the one stored in the game)");
        app.add_option("--member-range", memberRange_, "members shown: 0 top 5, 1 top 10, 2 all")
            ->check(CLI::Range(0, 2))
            ->option_text("0|1|2");
        app.add_option("--team-range", teamRange_, "teams shown: 0 top 5, 1 top 10, 2 all")
            ->check(CLI::Range(0, 2))
            ->option_text("0|1|2");
        app.add_flag("--details", details_, "add the member detail tables");
    }

    void run() override {
        Game game = loadNew(file_, true);
        // The dialog's values as the command fills them; the options start at
        // the dialog's ranges and details and override the texts they are given.
        ReportSettings values = game.report;
        values.title = title_ ? toShiftJis("--title", *title_) : game.settings.name;
        values.date = date_ ? toShiftJis("--date", *date_) : game.settings.date;
        if (editor_) values.editor = toShiftJis("--editor", *editor_);
        values.memberRange = memberRange_;
        values.teamRange = teamRange_;
        values.memberDetails = details_ ? 1 : 0;
        values.teamDetails = 0;

        computeStandings(game);
        if (game.settings.name.empty()) throw BadFileError(file_, "the game has no title; no report is written");

        // Stored as the command stores them; the game's own date stays.
        game.settings.name = values.title;
        game.report = values;
        writeHtmlReport(game, out_, game.report);
    }

private:
    std::string file_;
    std::string out_;
    // UTF-8; unset texts keep what the dialog opens with.
    std::optional<std::string> title_;
    std::optional<std::string> date_;
    std::optional<std::string> editor_;
    int memberRange_ = 2;
    int teamRange_ = 2;
    bool details_ = false;
};

}  // namespace

std::unique_ptr<Subcommand> makeReportCommand() { return std::make_unique<ReportCommand>(); }

}  // namespace scorvale::tool
