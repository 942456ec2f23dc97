// Random clicks, keys and answers over every dialog and command, with a fixed
// seed: nothing may crash, and what the dialogs confirmed must hold their rules.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>
#include <random>
#include <set>

#include "gamefile/game_file.h"
#include "scoring/ordering.h"
#include "scoring/standings.h"
#include "tests/dialogs/dialog_script.h"
#include "tests/support/random_game.h"
#include "ui/dialogs/html_output.h"
#include "ui/dialogs/edit_commands.h"
#include "ui/qt_text.h"
#include "model/today_text.h"

using namespace scorvale;
using namespace scorvale::testing;

namespace {
const std::string kToday = "99/12/31";
// Settings, add team, edit team, add member, member information, HTML output; adding weighs more.
const int kCommands[] = {0, 1, 1, 1, 2, 2, 3, 3, 3, 4, 4, 5};

class Monkey : public ui::Interaction {
public:
    explicit Monkey(std::uint32_t seed) : rng_(seed) {}

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    bool chance(int percent) { return pick(100) < percent; }

    bool runDialog(QDialog& dialog) override {
        dialog.setResult(QDialog::Rejected);
        dialog.show();
        ++depth_;
        const int actions = depth_ > 2 ? 0 : 3 + pick(12);
        for (int i = 0; i < actions && dialog.isVisible(); ++i) act(dialog);
        if (dialog.isVisible() && chance(60)) click(dialog, "ok");
        if (dialog.isVisible()) dialog.reject();
        --depth_;
        return dialog.result() == QDialog::Accepted;
    }
    std::optional<QString> chooseOpenFile(const QString&) override {
        if (chance(30)) return std::nullopt;
        return QStringLiteral("/pics/") + randomText(6) + QStringLiteral(".png");
    }
    std::optional<QString> chooseSaveFile(const QString&, const QString&, const QString&) override {
        if (chance(30)) return std::nullopt;
        return QStringLiteral("/tmp/monkey.html");
    }
    bool askYesNo(const QString&, const QString&) override { return chance(15); }
    void tell(Icon, const QString&, const QString&) override { ++messages; }

    int actionsDone = 0;
    int messages = 0;

private:
    QString randomText(int maxChars) {
        static const QString pool = QStringLiteral("0123456789-+ abcXYZあいう日本ｱｲ①髙～\r");
        QString text;
        const int n = pick(maxChars + 1);
        for (int i = 0; i < n; ++i) text += chance(3) ? QStringLiteral("\U0001F600") : QString(pool[pick(pool.size())]);
        return text;
    }

    void act(QDialog& dialog) {
        ++actionsDone;
        QList<QWidget*> targets;
        for (QWidget* w : dialog.findChildren<QWidget*>())
            if (w->isEnabled() && w->isVisible() &&
                (qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QAbstractButton*>(w) ||
                 qobject_cast<QAbstractItemView*>(w)))
                targets << w;
        if (targets.isEmpty()) return;
        QWidget* target = targets[pick(static_cast<int>(targets.size()))];
        if (auto* edit = qobject_cast<QLineEdit*>(target)) {
            if (chance(60)) edit->clear();
            type(edit, chance(50) ? QString::number(chance(90) ? pick(120) - 5 : pick(2000000) - 1000000) : randomText(chance(10) ? 80 : 6));
        } else if (auto* text = qobject_cast<QPlainTextEdit*>(target)) {
            if (chance(5)) text->setPlainText(QString(1100, u'あ'));
            type(text, randomText(20));
        } else if (auto* button = qobject_cast<QAbstractButton*>(target)) {
            button->click();
        } else if (auto* view = qobject_cast<QAbstractItemView*>(target)) {
            QWidget* port = view->viewport();
            const QPoint at(pick(std::max(1, port->width())), pick(std::max(1, port->height())));
            const Qt::MouseButton button = chance(30) ? Qt::RightButton : Qt::LeftButton;
            if (chance(50))
                QTest::mouseDClick(port, button, Qt::NoModifier, at);
            else
                QTest::mouseClick(port, button, Qt::NoModifier, at);
        }
    }

    std::mt19937 rng_;
    int depth_ = 0;
};

template <typename Record>
std::vector<const Record*> firstOfEachName(const std::vector<Record>& records) {
    std::vector<const Record*> first;
    std::set<std::string> seen;
    for (const Record& r : records)
        if (seen.insert(r.name.str()).second) first.push_back(&r);
    return first;
}

bool roundTrips(const std::string& text) {
    const auto back = ui::toSjis(ui::fromSjis(text));
    return back && *back == text;
}

// Every record a dialog confirmed (dated today) keeps the dialog's rules.
void checkConfirmedRecords(const Game& game, int& confirmedTeams, int& confirmedMembers) {
    for (const Team& t : game.teams()) {
        if (t.date != kToday) continue;
        ++confirmedTeams;
        QVERIFY(t.wins >= 0 && t.wins <= 10000 && t.losses >= 0 && t.losses <= 10000 && t.draws >= 0 &&
                t.draws <= 10000);
        QVERIFY(t.goalDiff >= -1000000 && t.goalDiff <= 1000000);
        QVERIFY(t.tournamentWins >= 0 && t.tournamentWins <= 100000);
        QVERIFY(roundTrips(t.name.str()) && roundTrips(t.group.str()) && roundTrips(t.symbol.str()));
    }
    for (const Member& m : game.members()) {
        QVERIFY(m.voteCount() <= Member::kMaxVotes);
        if (m.date != kToday) continue;
        ++confirmedMembers;
        QVERIFY(roundTrips(m.name.str()) && roundTrips(m.symbol.str()));
    }
}
}  // namespace

class DialogMonkeyTest : public QObject {
    Q_OBJECT
private slots:
    void randomSession();
};

void DialogMonkeyTest::randomSession() {
    setTodayTextForTesting(kToday);
    int reports = 0;
    int teamsAdded = 0;
    ui::setHtmlReportWriterForTesting([&](const Game& game, const std::string&, const ReportSettings& settings) {
        ++reports;
        QCOMPARE(settings.title, game.settings.name);
        QCOMPARE(settings.teamDetails, 0);
    });
    Game game = RandomGames(20260).game(6, 5);
    Monkey monkey(4711);
    int confirmedTeams = 0, confirmedMembers = 0;
    for (int command = 0; command < 1000; ++command) {
        switch (kCommands[monkey.pick(static_cast<int>(std::size(kCommands)))]) {
        case 0:
            if (ui::runSettingsCommand(game, monkey)) {
                QVERIFY(game.settings.maxBet >= 1 && game.settings.maxBet <= 32);
                QVERIFY(game.settings.tournamentWinPoints >= 0 && game.settings.tournamentWinPoints <= 100000);
                QVERIFY(game.settings.rate >= 1 && game.settings.rate <= 4);
                QVERIFY(roundTrips(game.settings.name));
            }
            break;
        case 1:
            if (ui::addTeamByDialog(game, monkey)) ++teamsAdded;
            break;
        case 2:
            if (game.teamCount() > 0)
                ui::editTeamByDialog(game, monkey, monkey.pick(game.teamCount()), monkey.chance(80));
            break;
        case 3:
            ui::addMemberByDialog(game, monkey);
            break;
        case 4:
            if (game.memberCount() > 0) ui::showMemberByDialog(game, monkey, monkey.pick(game.memberCount()));
            break;
        case 5:
            ui::runHtmlOutputCommand(game, monkey, "/tmp/monkey.svl", [&] { return !game.settings.name.empty(); });
            break;
        }
        // The main window's full update.
        computeStandings(game);
        sortTeams(game, TeamSortKey::rank);
        sortMembers(game, MemberSortKey::rank);
        checkConfirmedRecords(game, confirmedTeams, confirmedMembers);
    }
    QVERIFY(roundTrips(game.report.head));
    QVERIFY(game.report.head.size() <= 2000 && game.report.foot.size() <= 2000);
    qInfo("teams added %d, teams %d, members %d", teamsAdded, game.teamCount(), game.memberCount());
    qInfo("actions %d, messages %d, reports %d, team checks %d, member checks %d", monkey.actionsDone,
          monkey.messages, reports, confirmedTeams, confirmedMembers);
    QVERIFY(monkey.actionsDone > 3000);
    ui::setHtmlReportWriterForTesting({});

    // The game the monkey left still saves and loads back whole.
    Game loaded;
    loaded.settings.name.clear();
    loadGameBytes(loaded, gameFileBytes(game), ReadAll);
    QVERIFY(loaded.settings == game.settings);
    QCOMPARE(loaded.report.head, game.report.head);
    QCOMPARE(loaded.report.foot, game.report.foot);
    // The editors allow two records of one name; a load keeps the first.
    const auto teams = firstOfEachName(game.teams());
    const auto members = firstOfEachName(game.members());
    QCOMPARE(loaded.teamCount(), int(teams.size()));
    QCOMPARE(loaded.memberCount(), int(members.size()));
    for (int i = 0; i < loaded.teamCount(); ++i) QCOMPARE(loaded.teamAt(i).name, teams[i]->name);
    for (int i = 0; i < loaded.memberCount(); ++i) QVERIFY(loaded.memberAt(i).votes() == members[i]->votes());
}

QTEST_MAIN(DialogMonkeyTest)
#include "dialog_monkey_test.moc"
