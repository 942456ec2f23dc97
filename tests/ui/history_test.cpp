#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "gamefile/game_file.h"
#include "gamefile/safe_file.h"
#include "model/today_text.h"
#include "tests/support/scripted_interaction.h"
#include "tests/ui/ui_fixture.h"
#include "ui/load_settings_dialog.h"

using namespace scorvale;
using namespace scorvale::testing;

namespace {

const char kToday[] = "26/06/15";
const HistoryDay kEarlier{"26/06/01", false, {}};

using Window = ui::MainWindow;
using User = ScriptedInteraction;

// A dialog answer that types into the named fields and ticks the named boxes.
std::function<bool(QDialog&)> fill(std::vector<std::pair<const char*, const char*>> fields,
                                   std::vector<const char*> boxes = {}) {
    return [fields, boxes](QDialog& d) {
        for (const auto& [name, text] : fields)
            d.findChild<QLineEdit*>(QString::fromLatin1(name))->setText(QString::fromUtf8(text));
        for (const char* name : boxes) d.findChild<QCheckBox*>(QString::fromLatin1(name))->toggle();
        return true;
    };
}

std::function<bool(QDialog&)> pressDelete() {
    return [](QDialog& d) {
        d.findChild<QPushButton*>(QStringLiteral("delete"))->click();
        return false;
    };
}

std::function<bool(QDialog&)> loadMode(bool newLoad) {
    return [newLoad](QDialog& d) {
        dynamic_cast<ui::LoadSettingsDialog&>(d).newLoadBox()->setChecked(newLoad);
        return true;
    };
}

std::vector<std::string> dates(const ResultsHistory& history) {
    std::vector<std::string> out;
    for (const HistoryDay& day : history.days()) out.push_back(day.date);
    return out;
}

}  // namespace

class HistoryTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString writeFile(const char* name, const std::string& bytes) {
        const QString path = dir_.filePath(QString::fromLatin1(name));
        writeFileAtomically(QFile::encodeName(path).toStdString(), bytes);
        return path;
    }

    // A game file holding one team with results and one without, beside the pool's.
    QString mergeFile(bool withResults) {
        Game other;
        other.settings.name = "Other";
        Team mexico;
        mexico.name = "Mexico";
        mexico.wins = withResults ? 2 : 0;
        other.addTeam(mexico);
        Team japan;  // the pool has it: ignored by a merge
        japan.name = "Japan";
        japan.losses = 9;
        other.addTeam(japan);
        other.history.setDay({"02/06/30", true, {}});
        return writeFile(withResults ? "results.svl" : "plain.svl", gameFileBytes(other));
    }

private slots:
    void init() { setTodayTextForTesting(std::string(kToday)); }
    void cleanup() { setTodayTextForTesting(std::nullopt); }

    // Each command that changes a team's results, or fixes the ranking,
    // records today's results; the others leave the history alone.
    void eachCommandRecordsWhatItChanged() {
        const QString csv = writeFile("matches.csv", "date,group,team1,team2,score1,score2\n"
                                                     "2026-06-10,H,Japan,Korea,1,0\n");
        const QString withResults = mergeFile(true);
        const QString withoutResults = mergeFile(false);
        const int first = 0;  // every team of the pool has results
        struct Step {
            const char* what;
            std::function<void(Window&, User&)> run;
            std::vector<std::string> expected;
        };
        const std::vector<std::string> unchanged = {"26/06/01"};
        const std::vector<std::string> today = {"26/06/01", kToday};
        const std::vector<Step> steps = {
            {"team editor: wins", [&](Window& w, User& u) { u.dialogAnswers = {fill({{"wins", "9"}})}; w.controller().editTeam(first); }, today},
            {"team editor: group only", [&](Window& w, User& u) { u.dialogAnswers = {fill({{"group", "Z"}})}; w.controller().editTeam(first); }, unchanged},
            {"team editor: 敗退", [&](Window& w, User& u) { u.dialogAnswers = {fill({}, {"out"})}; w.controller().editTeam(first); }, today},
            {"team editor: cancelled", [&](Window& w, User&) { w.controller().editTeam(first); }, unchanged},
            {"delete a team with results", [&](Window& w, User& u) {
                 u.dialogAnswers = {pressDelete()};
                 u.yesNoAnswers = {true};
                 w.controller().editTeam(first);
             }, today},
            {"delete declined", [&](Window& w, User& u) {
                 u.dialogAnswers = {pressDelete()};
                 u.yesNoAnswers = {false};
                 w.controller().editTeam(first);
             }, unchanged},
            {"team added with results", [&](Window& w, User& u) {
                 u.dialogAnswers = {fill({{"name", "Mexico"}, {"draws", "1"}})};
                 QTest::mouseClick(w.button(Cmd::addTeam), Qt::LeftButton);
             }, today},
            {"team added without results", [&](Window& w, User& u) {
                 u.dialogAnswers = {fill({{"name", "Mexico"}})};
                 QTest::mouseClick(w.button(Cmd::addTeam), Qt::LeftButton);
             }, unchanged},
            {"settings: 順位確定", [&](Window& w, User& u) {
                 u.dialogAnswers = {fill({}, {"over"})};
                 QTest::mouseClick(w.button(Cmd::settings), Qt::LeftButton);
             }, today},
            {"settings: points only", [&](Window& w, User& u) {
                 u.dialogAnswers = {fill({{"winPoints", "5"}})};
                 QTest::mouseClick(w.button(Cmd::settings), Qt::LeftButton);
             }, unchanged},
            {"results import", [&](Window& w, User& u) {
                 u.fileAnswers = {csv};
                 u.dialogAnswers = {User::ok()};
                 w.controller().importResults();
             }, {"26/06/01", "26/06/10", kToday}},
            {"merge adding a team with results", [&](Window& w, User& u) {
                 u.dialogAnswers = {loadMode(false)};
                 u.fileAnswers = {withResults};
                 QTest::mouseClick(w.button(Cmd::load), Qt::LeftButton);
             }, today},
            {"merge adding a team without results", [&](Window& w, User& u) {
                 u.dialogAnswers = {loadMode(false)};
                 u.fileAnswers = {withoutResults};
                 QTest::mouseClick(w.button(Cmd::load), Qt::LeftButton);
             }, unchanged},
            {"member added", [&](Window& w, User& u) {
                 u.dialogAnswers = {fill({{"name", "saburo"}})};
                 QTest::mouseClick(w.button(Cmd::addMember), Qt::LeftButton);
             }, unchanged},
            {"list ordered", [&](Window& w, User&) { w.controller().teamHeaderClicked(lists::columnIndex(TeamColumn::name)); }, unchanged},
        };
        for (const Step& step : steps) {
            User user;
            Window w(user);
            Game& game = w.controller().game();
            fillPool(game);
            game.history.setDay(kEarlier);
            w.controller().fullUpdate();
            step.run(w, user);
            const ResultsHistory& history = game.history;
            QVERIFY2(dates(history) == step.expected, step.what);
            QVERIFY2(history.days().front() == kEarlier, step.what);
            if (step.expected.back() == kToday)
                QVERIFY2(history.days().back() == currentResults(game, kToday), step.what);
        }
    }

    // The import also records each earlier day of the list, and the ranking
    // fixed later in the settings is recorded that day, not before.
    void rankingFixedIsRecordedOnItsDay() {
        User user;
        Window w(user);
        Game& game = w.controller().game();
        fillPool(game);
        w.controller().fullUpdate();
        user.dialogAnswers = {fill({}, {"over"})};
        QTest::mouseClick(w.button(Cmd::settings), Qt::LeftButton);
        setTodayTextForTesting("26/06/16");
        user.dialogAnswers = {fill({}, {"over"})};
        QTest::mouseClick(w.button(Cmd::settings), Qt::LeftButton);
        QCOMPARE(dates(game.history), (std::vector<std::string>{kToday, "26/06/16"}));
        QVERIFY(game.history.days()[0].rankingFixed);
        QVERIFY(!game.history.days()[1].rankingFixed);
    }

    // A new load takes the file's history and page, a merge neither.
    void loadsTakeTheFilesHistoryOnlyWhenNew() {
        Game saved;
        saved.settings.name = "Saved";
        Team t;
        t.name = "Alpha";
        t.wins = 1;
        saved.addTeam(t);
        HistoryDay day = currentResults(saved, "02/06/30");
        day.rankingFixed = true;
        saved.history.setDay(day);
        saved.page.kind = PageChoice::Kind::phone;
        const QString path = writeFile("saved.svl", gameFileBytes(saved));

        User user;
        user.dialogAnswers = {loadMode(true)};
        user.fileAnswers = {path};
        Window w(user);
        fillPool(w.controller().game());
        w.controller().game().history.setDay(kEarlier);
        QTest::mouseClick(w.button(Cmd::load), Qt::LeftButton);
        QCOMPARE(w.controller().game().history, saved.history);
        QCOMPARE(w.controller().game().page, saved.page);
        QVERIFY(!w.controller().unsaved());

        // Saved by the window, it comes back whole.
        const QString again = dir_.filePath(QStringLiteral("again.svl"));
        user.fileAnswers = {again};
        QTest::mouseClick(w.button(Cmd::save), Qt::LeftButton);
        Game back;
        loadGame(back, QFile::encodeName(again).toStdString(), ReadAll);
        QCOMPARE(back.history, saved.history);
        QCOMPARE(back.page, saved.page);
    }

    // The settings dialog shows the history and clears it on OK, once the
    // user confirms.
    void settingsClearTheHistory_data() {
        QTest::addColumn<bool>("tick");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("not ticked") << false << true << false;
        QTest::newRow("ticked, declined") << true << false << false;
        QTest::newRow("ticked, confirmed") << true << true << true;
    }
    void settingsClearTheHistory() {
        QFETCH(bool, tick);
        QFETCH(bool, confirm);
        QFETCH(bool, cleared);
        User user;
        Window w(user);
        Game& game = w.controller().game();
        fillPool(game);
        game.history.setDay(kEarlier);
        game.history.setDay({"26/06/03", false, {}});
        QString summary;
        user.dialogAnswers = {[&](QDialog& d) {
            summary = d.findChild<QLabel*>(QStringLiteral("historySummary"))->text();
            if (tick) d.findChild<QCheckBox*>(QStringLiteral("clearHistory"))->setChecked(true);
            return true;
        }};
        user.yesNoAnswers = {confirm};
        QTest::mouseClick(w.button(Cmd::settings), Qt::LeftButton);
        QCOMPARE(summary, QStringLiteral("2日分（26/06/01～26/06/03）"));
        QCOMPARE(user.questions.size(), tick ? 1u : 0u);
        if (tick) QCOMPARE(user.questions[0].text, QStringLiteral("結果の履歴（2日分）を消去しますか？"));
        QCOMPARE(game.history.empty(), cleared);

        // Nothing to clear: the box is off.
        bool enabled = false;
        user.dialogAnswers = {[&](QDialog& d) {
            summary = d.findChild<QLabel*>(QStringLiteral("historySummary"))->text();
            enabled = d.findChild<QCheckBox*>(QStringLiteral("clearHistory"))->isEnabled();
            return false;
        }};
        QTest::mouseClick(w.button(Cmd::settings), Qt::LeftButton);
        QCOMPARE(enabled, !cleared);
        if (cleared) QCOMPARE(summary, QStringLiteral("記録なし"));
    }
};

QTEST_MAIN(HistoryTest)
#include "history_test.moc"
