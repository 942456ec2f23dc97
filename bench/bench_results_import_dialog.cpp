// Times the results import preview (offscreen) for a league-sized list:
// `teams` teams in groups of four, every group match played, three in four of
// them teams of the game (which has as many), the rest new. Opening it until
// it is painted, the knockout-goals box and a team mapped by hand, each until
// painted again. Median of five (three for the largest).
#include <QApplication>
#include <QCheckBox>
#include <QTableView>
#include <cstdio>
#include <memory>
#include <vector>

#include "bench/median_time.h"
#include "imports/results_import.h"
#include "text/sjis_codec.h"
#include "ui/dialogs/results_import_dialog.h"
#include "ui/interaction.h"

using namespace scorvale;

namespace {

class SilentInteraction : public ui::Interaction {
public:
    bool runDialog(QDialog&) override { return false; }
    std::optional<QString> chooseOpenFile(const QString&, const QString&) override { return std::nullopt; }
    std::optional<QString> chooseSaveFile(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    bool askYesNo(const QString&, const QString&) override { return false; }
    Answer askYesNoCancel(const QString&, const QString&) override { return Answer::Cancel; }
    void tell(Icon, const QString&, const QString&) override {}
};

std::string gameName(int i) { return "チーム" + std::to_string(10000 + i); }
std::string listName(int i) { return i % 4 == 3 ? "Club " + std::to_string(10000 + i) : gameName(i); }

Game gameOf(int teams) {
    Game game;
    for (int i = 0; i < teams; ++i) {
        Team team;
        team.name = sjis::fromUtf8(gameName(i)).value();
        game.addTeam(team);
    }
    return game;
}

std::string listOf(int teams) {
    std::string csv = "date,group,team1,team2,score1,score2\n";
    for (int g = 0; g + 3 < teams; g += 4)
        for (int a = 0; a < 4; ++a)
            for (int b = a + 1; b < 4; ++b)
                csv += "2026-06-1" + std::to_string(a) + ",G" + std::to_string(g / 4) + "," + listName(g + a) + "," +
                       listName(g + b) + "," + std::to_string((a + b) % 3) + "," + std::to_string(a % 2) + "\n";
    return csv;
}

void measure(int teams) {
    const Game game = gameOf(teams);
    const std::string csv = listOf(teams);
    SilentInteraction interaction;
    std::vector<std::unique_ptr<ui::ResultsImportDialog>> opened;
    const int runs = teams > 2000 ? 3 : 5;
    const double prepare = bench::medianMs(
        [&] {
            imports::TeamMatcher matcher(game);
            imports::prepareImport(csv, matcher);
        },
        runs);
    const double open = bench::medianMs(
        [&] {
            imports::TeamMatcher matcher(game);
            imports::PreparedImport prepared = imports::prepareImport(csv, matcher);
            opened.push_back(std::make_unique<ui::ResultsImportDialog>(
                game, std::move(prepared), imports::ResultOptions{}, QStringLiteral("league.csv"), interaction));
            opened.back()->show();
        },
        runs);
    ui::ResultsImportDialog& dialog = *opened.back();
    auto* goals = dialog.findChild<QCheckBox*>(QStringLiteral("knockoutGoals"));
    const double toggle = bench::medianMs([&] { goals->toggle(); }, runs);
    // What choosing from a row's list does: the last row to the first team and back.
    QAbstractItemModel* model = dialog.findChild<QTableView*>(QStringLiteral("rows"))->model();
    const QModelIndex last = model->index(model->rowCount() - 1, 1);
    const int before = last.data(Qt::EditRole).toInt();
    int choice = before;
    const double mapped = bench::medianMs([&] { model->setData(last, choice = choice == 1 ? before : 1); }, runs);
    std::printf("| %d teams, %zu bytes | %.1f | %.1f | %.1f | %.1f |\n", teams, csv.size(), prepare, open, toggle,
                mapped);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::printf("| results preview | the list read and planned, ms | open until painted (with that), ms | "
                "knockout goals toggled, ms | a team mapped by hand, ms |\n|---|---:|---:|---:|---:|\n");
    for (const int teams : {100, 1000, 4000}) measure(teams);
    return 0;
}
