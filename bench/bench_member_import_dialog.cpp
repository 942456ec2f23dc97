// Times the members import preview (offscreen) with two files: a form's
// export of 10,000 rows of ten picks into 48 teams, and the 1.27 MB form
// whose header runs to a million empty columns. For each: opening it (the
// file read, the columns guessed, the plan made) until it is painted, and
// each change of a choice until the table is painted again. Median of nine.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <cstdio>
#include <memory>
#include <vector>

#include "bench/median_time.h"
#include "bench/members_file_bench.h"
#include "ui/dialogs/member_import_dialog.h"

using namespace scorvale;
using scorvale::bench::medianMs;

namespace {

void measure(const char* what, const std::string& csv, const Game& game) {
    std::vector<std::unique_ptr<ui::MemberImportDialog>> opened;
    const double open = medianMs([&] {
        imports::MembersFile file = imports::readMembersFile(csv);
        opened.push_back(std::make_unique<ui::MemberImportDialog>(QStringLiteral("form.csv"), csv, std::move(file),
                                                                  imports::MembersFileFormat{}, game, "26/06/10"));
        opened.back()->show();
    });
    ui::MemberImportDialog& dialog = *opened.back();
    auto* replace = dialog.findChild<QCheckBox*>(QStringLiteral("replace"));
    auto* last = dialog.findChild<QComboBox*>(QStringLiteral("lastVoteColumn"));
    auto* encoding = dialog.findChild<QComboBox*>(QStringLiteral("encoding"));
    const double toggle = medianMs([&] { replace->toggle(); });
    const int lastItem = last->currentIndex();
    int item = lastItem;
    const double column = medianMs([&] { last->setCurrentIndex(item = item == lastItem ? lastItem - 1 : lastItem); });
    int encodingItem = 0;
    const double reread = medianMs([&] { encoding->setCurrentIndex(encodingItem = encodingItem == 0 ? 1 : 0); });

    std::printf("| %s: open until painted | %.1f |\n| %s: replace toggled | %.1f |\n"
                "| %s: last vote column changed | %.1f |\n| %s: encoding changed (read again, guessed again) | %.1f |\n",
                what, open, what, toggle, what, column, what, reread);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const Game game = bench::game48();
    std::printf("| members preview, 48 teams | ms |\n|---|---:|\n");
    measure("10,000 rows x 10 picks", bench::formCsv(10000), game);
    measure("1,000,000 empty columns, 1.27 MB", bench::wideCsv(), game);
    return 0;
}
