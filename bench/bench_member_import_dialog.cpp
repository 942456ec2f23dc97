// Times the members import preview with a form's export of 10,000 rows of
// ten picks into 48 teams (offscreen): opening it until it is painted, and
// each change of a choice until the table is painted again. Median of nine.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "bench/members_file_bench.h"
#include "ui/dialogs/member_import_dialog.h"

using namespace scorvale;

namespace {

double medianMs(const std::function<void()>& step) {
    std::vector<double> times;
    for (int k = 0; k < 9; ++k) {
        QElapsedTimer timer;
        timer.start();
        step();
        QApplication::processEvents();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const Game game = bench::game48();
    const std::string csv = bench::formCsv(10000);

    std::vector<std::unique_ptr<ui::MemberImportDialog>> opened;
    const double open = medianMs([&] {
        imports::MembersFile file = imports::readMembersFile(csv);
        opened.push_back(std::make_unique<ui::MemberImportDialog>(QStringLiteral("form.csv"), csv, std::move(file),
                                                                  bench::formOptions(), game, "26/06/10"));
        opened.back()->show();
    });
    ui::MemberImportDialog& dialog = *opened.back();
    auto* replace = dialog.findChild<QCheckBox*>(QStringLiteral("replace"));
    auto* last = dialog.findChild<QComboBox*>(QStringLiteral("lastVoteColumn"));
    auto* encoding = dialog.findChild<QComboBox*>(QStringLiteral("encoding"));
    const double toggle = medianMs([&] { replace->toggle(); });
    int lastItem = last->currentIndex();
    const double column = medianMs([&] { last->setCurrentIndex(lastItem = lastItem == 11 ? 10 : 11); });
    int encodingItem = 0;
    const double reread = medianMs([&] { encoding->setCurrentIndex(encodingItem = encodingItem == 0 ? 1 : 0); });

    std::printf("| preview of 10,000 rows x 10 picks, 48 teams | ms |\n|---|---:|\n");
    std::printf("| open until painted | %.1f |\n| replace toggled | %.1f |\n| last vote column changed | %.1f |\n"
                "| encoding changed (read again) | %.1f |\n",
                open, toggle, column, reread);
    return 0;
}
