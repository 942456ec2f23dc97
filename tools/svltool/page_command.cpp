#include <CLI/CLI.hpp>

#include "gamefile/safe_file.h"
#include "report/phone_page.h"
#include "report/standings_picture.h"
#include "tools/svltool/page_values.h"
#include "tools/svltool/subcommand.h"

namespace scorvale::tool {

namespace {

// HTML出力 with the members' page chosen: the same bytes, and the picture as
// the SVG the window turns into a PNG.
class PageCommand : public Subcommand {
public:
    PageCommand()
        : Subcommand("page", "Write the members' page (UTF-8, made for phones) as the program's HTML output does.") {}

    void defineOptions(CLI::App& app) override {
        app.add_option("FILE", file_, "game file")->required();
        app.add_option("-o,--output", out_, "the page to write")->option_text("OUT")->required();
        app.add_option("--image", image_, "also write the top ten as an SVG picture")->option_text("OUT.svg");
        values_.define(app, false);
    }

    void run() override {
        const Game game = values_.prepare(file_);
        // Both are made before either is written, so nothing half-made is left.
        const std::string page = phonePageBytes(game, game.report);
        const std::string picture = image_.empty() ? std::string() : standingsPictureSvg(game, game.report);
        writeFileAtomically(out_, page);
        if (!image_.empty()) writeFileAtomically(image_, picture);
    }

private:
    std::string file_;
    std::string out_;
    std::string image_;
    PageValues values_;
};

}  // namespace

std::unique_ptr<Subcommand> makePageCommand() { return std::make_unique<PageCommand>(); }

}  // namespace scorvale::tool
