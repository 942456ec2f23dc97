#include <CLI/CLI.hpp>

#include "report/html_report.h"
#include "tools/svltool/page_values.h"
#include "tools/svltool/subcommand.h"

namespace scorvale::tool {

namespace {

// What the HTML output command does after its dialog: fill, score, store, write.
class ReportCommand : public Subcommand {
public:
    ReportCommand() : Subcommand("report", "Write the HTML standings page as the program's HTML output does.") {}

    void defineOptions(CLI::App& app) override {
        app.add_option("FILE", file_, "game file")->required();
        app.add_option("-o,--output", out_, "the page to write")->option_text("OUT")->required();
        values_.define(app, true);
    }

    void run() override {
        const Game game = values_.prepare(file_);
        writeHtmlReport(game, out_, game.report);
    }

private:
    std::string file_;
    std::string out_;
    PageValues values_;
};

}  // namespace

std::unique_ptr<Subcommand> makeReportCommand() { return std::make_unique<ReportCommand>(); }

}  // namespace scorvale::tool
