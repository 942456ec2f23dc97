// Writes the members' page (and its picture) of a sample pool, for the
// browser checks and the screenshots:
//   make_phone_page example GAME.svl MATCHES.json OUT.html [OUT.svg]
//   make_phone_page ugly OUT.html [OUT.svg]
#include <cstdio>
#include <exception>
#include <string>

#include "gamefile/safe_file.h"
#include "report/phone_page.h"
#include "report/standings_picture.h"
#include "tests/browser/sample_pools.h"

int main(int argc, char** argv) {
    using namespace scorvale;
    const std::string kind = argc > 1 ? argv[1] : "";
    const int outputs = kind == "example" ? 4 : 2;
    if ((kind != "example" && kind != "ugly") || argc < outputs + 1 || argc > outputs + 2) {
        std::fprintf(stderr, "usage: make_phone_page example GAME.svl MATCHES.json OUT.html [OUT.svg]\n"
                             "       make_phone_page ugly OUT.html [OUT.svg]\n");
        return 2;
    }
    try {
        const Game game = kind == "example" ? testing::exampleWithHistory(argv[2], argv[3]) : testing::uglyPool();
        const ReportSettings settings = testing::dialogDefaults(game);
        writeFileAtomically(argv[outputs], phonePageBytes(game, settings));
        if (argc == outputs + 2) writeFileAtomically(argv[outputs + 1], standingsPictureSvg(game, settings));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_phone_page: %s\n", e.what());
        return 1;
    }
    return 0;
}
