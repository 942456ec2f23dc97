// Undo and redo through the window's commands, 上書き保存 and 新しいゲーム.
#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "gamefile/game_file.h"
#include "gamefile/safe_file.h"
#include "scoring/ordering.h"
#include "scoring/standings.h"
#include "tests/support/scripted_interaction.h"
#include "tests/ui/ui_fixture.h"
#include "ui/dialogs/html_output.h"
#include "ui/dialogs/member_edit_dialog.h"
#include "ui/load_settings_dialog.h"

using namespace scorvale;
using namespace scorvale::testing;
using Answer = ui::Interaction::Answer;
using Act = ui::MainWindow::Action;

namespace {

const QString kMatchList = QStringLiteral(SOURCE_ROOT "/tests/fixtures/openfootball/worldcup2002.json");
const QString kMembers = QStringLiteral(SOURCE_ROOT "/tests/fixtures/members/form.csv");

std::string local(const QString& path) { return QFile::encodeName(path).toStdString(); }

// What differs between two games, every value and both orders; empty when none.
QString difference(const Game& a, const Game& b) {
    QStringList out;
    if (!(a.settings == b.settings)) out << QStringLiteral("settings");
    if (!(a.report == b.report)) out << QStringLiteral("report");
    if (a.teams() != b.teams()) out << QStringLiteral("teams");
    if (a.members() != b.members()) out << QStringLiteral("members");
    if (!(a.history == b.history)) out << QStringLiteral("history");
    if (!(a.page == b.page)) out << QStringLiteral("page");
    return out.join(u' ');
}

// Every cell of a list, row by row.
QStringList cellsOf(QTableView* list) {
    QStringList rows;
    for (int r = 0; r < list->model()->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < list->model()->columnCount(); ++c) cells << cell(list, r, c);
        rows << cells.join(u'|');
    }
    return rows;
}

std::function<bool(QDialog&)> press(const char* button) {
    return [button](QDialog& d) {
        d.findChild<QAbstractButton*>(QString::fromLatin1(button))->click();
        return false;
    };
}

// How a command ends, so what redo ends with.
enum class Ending { full, scoring, none };

Game ended(Game game, Ending ending) {
    if (ending != Ending::none) computeStandings(game);
    if (ending == Ending::full) {
        sortTeams(game, TeamSortKey::rank);
        sortMembers(game, MemberSortKey::rank);
    }
    return game;
}

}  // namespace

class UndoTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    // The pool in rank order, with a results history and a page choice that
    // a step must bring back as well.
    static void startPool(ui::MainWindow& w) {
        Game& game = w.controller().game();
        fillPool(game);
        game.settings.name = "cup";
        game.history.setDay(currentResults(game, "02/06/01"));
        game.page.kind = PageChoice::Kind::phone;
        w.controller().fullUpdate();
    }

    QString otherGame() {
        Game other;
        other.settings.name = "other";
        Team team;
        team.name = "Wales";
        other.addTeam(team);
        Member member;
        member.name = "owen";
        member.addVote("Wales");
        other.addMember(member);
        const QString path = dir_.filePath(QStringLiteral("other.svl"));
        saveGame(other, local(path));
        return path;
    }

private slots:
    void initTestCase() {
        ui::MainController::checkStepReachForTesting(true);
        ui::setHtmlReportWriterForTesting([](const Game&, const std::string&, const ReportSettings&) {});
    }
    void cleanupTestCase() {
        ui::MainController::checkStepReachForTesting(false);
        ui::setHtmlReportWriterForTesting(nullptr);
    }

    // Each kind of step through the window's command path: the command
    // changes the game, a header click reorders a list (not a step), Ctrl+Z
    // gives back the game and the lists as they were, and Ctrl+Y the game
    // the undo found.
    void eachStepUndoneAndRedone_data() {
        using Step = std::function<void(ui::MainWindow&, ScriptedInteraction&, UndoTest&)>;
        QTest::addColumn<Step>("step");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("ending");
        const auto button = [](Cmd command, std::deque<std::function<bool(QDialog&)>> answers) {
            return Step([command, answers](ui::MainWindow& w, ScriptedInteraction& u, UndoTest&) {
                u.dialogAnswers = answers;
                QTest::mouseClick(w.button(command), Qt::LeftButton);
            });
        };
        const int full = int(Ending::full);
        QTest::newRow("settings") << button(Cmd::settings, {typeInto("title", QStringLiteral("Cup 2"))})
                                  << QStringLiteral("設定") << full;
        QTest::newRow("team added") << button(Cmd::addTeam, {typeInto("name", QStringLiteral("Delta"))})
                                    << QStringLiteral("チーム追加") << full;
        QTest::newRow("team edited") << Step([](ui::MainWindow& w, ScriptedInteraction& u, UndoTest&) {
            u.dialogAnswers = {typeInto("wins", QStringLiteral("9"))};
            w.controller().editTeam(2);
        }) << QStringLiteral("チーム編集") << full;
        QTest::newRow("team deleted") << Step([](ui::MainWindow& w, ScriptedInteraction& u, UndoTest&) {
            u.dialogAnswers = {press("delete")};
            u.yesNoAnswers = {true};
            w.controller().editTeam(1);
        }) << QStringLiteral("チームの削除") << full;
        QTest::newRow("member added") << button(Cmd::addMember, {typeInto("name", QStringLiteral("mia"))})
                                      << QStringLiteral("参加者追加") << full;
        QTest::newRow("member changed through 修正") << Step([](ui::MainWindow& w, ScriptedInteraction& u, UndoTest&) {
            u.dialogAnswers = {[](QDialog& info) {
                                   info.findChild<QAbstractButton*>(QStringLiteral("edit"))->click();
                                   return true;
                               },
                               [](QDialog& editor) {
                                   static_cast<ui::MemberEditDialog&>(editor).addCandidate(3);
                                   return true;
                               }};
            w.controller().editMember(0);
        }) << QStringLiteral("参加者の修正") << full;
        QTest::newRow("member renamed") << Step([](ui::MainWindow& w, ScriptedInteraction& u, UndoTest&) {
            u.dialogAnswers = {[](QDialog& info) {
                                   info.findChild<QAbstractButton*>(QStringLiteral("edit"))->click();
                                   return true;
                               },
                               typeInto("name", QStringLiteral("renamed"))};
            w.controller().editMember(3);
        }) << QStringLiteral("参加者の修正") << full;
        QTest::newRow("member expelled") << Step([](ui::MainWindow& w, ScriptedInteraction& u, UndoTest&) {
            u.dialogAnswers = {press("expel")};
            u.yesNoAnswers = {true};
            w.controller().editMember(1);
        }) << QStringLiteral("参加者の除名") << full;
        QTest::newRow("results import") << Step([](ui::MainWindow& w, ScriptedInteraction& u, UndoTest&) {
            u.fileAnswers = {kMatchList};
            u.dialogAnswers = {ScriptedInteraction::ok()};
            w.controller().importResults();
        }) << QStringLiteral("試合結果の取り込み") << full;
        QTest::newRow("members import") << Step([](ui::MainWindow& w, ScriptedInteraction& u, UndoTest&) {
            u.fileAnswers = {kMembers};
            u.dialogAnswers = {ScriptedInteraction::ok()};
            w.controller().importMembers();
        }) << QStringLiteral("参加者の取り込み") << full;
        QTest::newRow("merge") << Step([](ui::MainWindow& w, ScriptedInteraction& u, UndoTest& test) {
            u.dialogAnswers = {[](QDialog& d) {
                dynamic_cast<ui::LoadSettingsDialog&>(d).newLoadBox()->setChecked(false);
                return true;
            }};
            u.fileAnswers = {test.otherGame()};
            QTest::mouseClick(w.button(Cmd::load), Qt::LeftButton);
        }) << QStringLiteral("ファイルのマージ") << full;
        QTest::newRow("password set") << button(Cmd::password, {[](QDialog& d) {
            for (const char* name : {"new", "confirm"})
                d.findChild<QLineEdit*>(QString::fromLatin1(name))->setText(QStringLiteral("abc"));
            return true;
        }}) << QStringLiteral("パスワードの変更") << int(Ending::none);
        QTest::newRow("page values") << Step([](ui::MainWindow& w, ScriptedInteraction& u, UndoTest&) {
            u.dialogAnswers = {typeInto("editor", QStringLiteral("幹事"))};
            u.fileAnswers = {QStringLiteral("/nowhere/page.html")};
            QTest::mouseClick(w.button(Cmd::htmlOutput), Qt::LeftButton);
        }) << QStringLiteral("HTML出力") << int(Ending::scoring);
        QTest::newRow("page choice alone") << Step([](ui::MainWindow& w, ScriptedInteraction& u, UndoTest&) {
            u.dialogAnswers = {[](QDialog& d) {
                d.findChild<QAbstractButton*>(QStringLiteral("pageLegacy"))->click();
                return true;
            }};
            u.fileAnswers = {QStringLiteral("/nowhere/page.html")};
            QTest::mouseClick(w.button(Cmd::htmlOutput), Qt::LeftButton);
        }) << QStringLiteral("HTML出力") << int(Ending::scoring);
    }
    void eachStepUndoneAndRedone() {
        using Step = std::function<void(ui::MainWindow&, ScriptedInteraction&, UndoTest&)>;
        QFETCH(Step, step);
        QFETCH(QString, name);
        QFETCH(int, ending);
        ScriptedInteraction user;
        ui::MainWindow w(user);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        startPool(w);
        Game& game = w.controller().game();
        const Game before = game;
        const QStringList teams = cellsOf(w.teamList());
        const QStringList members = cellsOf(w.memberList());
        QCOMPARE(w.action(Act::undo)->text(), QStringLiteral("元に戻す"));
        QVERIFY(!w.action(Act::undo)->isEnabled());

        step(w, user, *this);
        QVERIFY(!difference(game, before).isEmpty());
        QVERIFY(w.controller().unsaved());
        QCOMPARE(w.action(Act::undo)->text(), QStringLiteral("元に戻す: ") + name);
        w.controller().memberHeaderClicked(lists::columnIndex(MemberColumn::name));
        w.controller().teamHeaderClicked(lists::columnIndex(TeamColumn::group));
        const Game found = game;

        QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(difference(game, before), QString());
        QCOMPARE(cellsOf(w.teamList()), teams);
        QCOMPARE(cellsOf(w.memberList()), members);
        QVERIFY(!w.controller().unsaved());
        QCOMPARE(w.action(Act::redo)->text(), QStringLiteral("やり直し: ") + name);
        QVERIFY(!w.action(Act::undo)->isEnabled());

        QTest::keyClick(&w, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(difference(game, ended(found, Ending(ending))), QString());
        QVERIFY(w.controller().unsaved());
        QVERIFY(!w.action(Act::redo)->isEnabled());
        // Ctrl+Shift+Z redoes as well.
        QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(difference(game, ended(found, Ending(ending))), QString());
    }

    // Saved after one step: undoing back to it clears the mark, redoing away
    // sets it; Ctrl+S writes the current file without a dialog.
    void unsavedMarkFollowsTheSavedStep() {
        ScriptedInteraction user;
        ui::MainWindow w(user);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        startPool(w);
        const auto addMember = [&](const QString& name) {
            user.dialogAnswers = {typeInto("name", name)};
            QTest::mouseClick(w.button(Cmd::addMember), Qt::LeftButton);
        };
        addMember(QStringLiteral("first"));
        const QString path = dir_.filePath(QStringLiteral("marked.svl"));
        user.fileAnswers = {path};
        QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);  // no file yet: the save dialog
        QCOMPARE(user.fileRequests.size(), 1u);
        QCOMPARE(w.controller().currentFilePath(), local(path));
        QVERIFY(!w.controller().unsaved());
        addMember(QStringLiteral("second"));
        QVERIFY(w.controller().unsaved());

        struct Move {
            int key;
            bool unsaved;
        } moves[] = {{Qt::Key_Z, false}, {Qt::Key_Z, true}, {Qt::Key_Y, false}, {Qt::Key_Y, true}, {Qt::Key_Z, false}};
        for (const Move& m : moves) {
            QTest::keyClick(&w, Qt::Key(m.key), Qt::ControlModifier);
            QCOMPARE(w.controller().unsaved(), m.unsaved);
        }
        // Ctrl+S now writes that file as it is, asking nothing.
        QTest::keyClick(&w, Qt::Key_Y, Qt::ControlModifier);
        QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(user.fileRequests.size(), 1u);
        QVERIFY(!w.controller().unsaved());
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll().toStdString(), gameFileBytes(w.controller().game()));
        QVERIFY(user.messages.empty());
        // A step undone after the save is unsaved work again; the file keeps
        // what was saved.
        QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(w.controller().unsaved());
    }

    // 上書き保存 writes the same safe way: a failed write keeps the old file
    // and the mark, and says so; without a title there is nothing to save.
    void saveToCurrentFileFailsSafely() {
        ScriptedInteraction user;
        ui::MainWindow w(user);
        startPool(w);
        const QString path = dir_.filePath(QStringLiteral("kept.svl"));
        user.fileAnswers = {path};
        w.controller().save();
        const std::string old = readWholeFile(local(path));
        user.dialogAnswers = {typeInto("name", QStringLiteral("late"))};
        w.controller().addMember();
        setWriteFaultHookForTesting([](std::size_t) { return false; });
        w.controller().saveToCurrentFile();
        setWriteFaultHookForTesting(nullptr);
        QCOMPARE(readWholeFile(local(path)), old);
        QVERIFY(w.controller().unsaved());
        QCOMPARE(user.messages.size(), 1u);
        QCOMPARE(user.messages[0].caption, QStringLiteral("上書き保存"));

        // A target that is no longer a file is refused, as 保存 refuses it.
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkdir(path));
        w.controller().saveToCurrentFile();
        QCOMPARE(user.messages.size(), 2u);
        QCOMPARE(user.messages[1].caption, QStringLiteral("上書き保存"));
        QVERIFY(user.messages[1].text.startsWith(path));
        QVERIFY(QFileInfo(path).isDir());
        QVERIFY(w.controller().unsaved());

        w.controller().game().settings.name.clear();
        w.controller().saveToCurrentFile();
        QCOMPARE(user.messages.size(), 2u);
        QCOMPARE(user.fileRequests.size(), 1u);
    }

    // 新しいゲーム asks about unsaved changes as Exit does; whatever starts a
    // new game leaves the start-up values, no file, unlocked and no steps.
    void newGameWithEachAnswer_data() {
        QTest::addColumn<bool>("unsaved");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saveChosen");
        QTest::addColumn<bool>("started");
        QTest::newRow("nothing unsaved: not asked") << false << -1 << false << true;
        QTest::newRow("yes, saved") << true << int(Answer::Yes) << true << true;
        QTest::newRow("yes, save cancelled") << true << int(Answer::Yes) << false << false;
        QTest::newRow("no: given up") << true << int(Answer::No) << false << true;
        QTest::newRow("cancel") << true << int(Answer::Cancel) << false << false;
    }
    void newGameWithEachAnswer() {
        QFETCH(bool, unsaved);
        QFETCH(int, answer);
        QFETCH(bool, saveChosen);
        QFETCH(bool, started);
        ScriptedInteraction user;
        ui::MainWindow w(user);
        const QString path = dir_.filePath(QStringLiteral("before-new.svl"));
        w.controller().openAtStart(local(otherGameWithPassword()));
        if (unsaved) {
            user.dialogAnswers = {typeInto("name", QStringLiteral("late"))};
            w.controller().addMember();
        }
        QVERIFY(!w.controller().editingUnlocked());
        const Game before = w.controller().game();
        if (answer >= 0) user.yesNoCancelAnswers = {Answer(answer)};
        user.fileAnswers = {saveChosen ? std::optional<QString>(path) : std::nullopt};
        QFile::remove(path);
        w.action(Act::newGame)->trigger();

        QCOMPARE(user.questions.size(), answer >= 0 ? 1u : 0u);
        if (answer >= 0) {
            QCOMPARE(user.questions[0].caption, QStringLiteral("新しいゲーム"));
            QCOMPARE(user.questions[0].text, QStringLiteral("変更が保存されていません。保存してから新しいゲームを始めますか？"));
        }
        QCOMPARE(QFile::exists(path), saveChosen);
        const Game& game = w.controller().game();
        if (!started) {
            QCOMPARE(difference(game, before), QString());
            QVERIFY(w.controller().unsaved());
            QVERIFY(w.controller().canUndo());
            return;
        }
        Game fresh;
        QCOMPARE(difference(game, fresh), QString());
        QCOMPARE(game.settings.name, std::string("Let's bet on the World Cup 2002"));
        QVERIFY(w.controller().currentFilePath().empty());
        QVERIFY(w.controller().editingUnlocked());
        QVERIFY(!w.controller().unsaved());
        QVERIFY(!w.controller().canUndo() && !w.controller().canRedo());
        QCOMPARE(w.windowTitle(), QStringLiteral("Scorvale! [Let's bet on the World Cup 2002]"));
        QCOMPARE(w.teamList()->model()->rowCount(), 0);
        QVERIFY(w.button(Cmd::settings)->isEnabled());
        // The 上書き保存 that follows asks for a file.
        user.fileAnswers = {std::nullopt};
        w.action(Act::saveToCurrentFile)->trigger();
        QVERIFY(user.fileRequests.back().save && user.fileRequests.back().initialPath.isEmpty());
    }

    // A locked window neither undoes nor redoes a step made while it was
    // unlocked (none outlives a new load, which is what locks it); steps made
    // while locked, on members, it does.
    void lockedWindowKeepsAdministratorSteps() {
        ScriptedInteraction user;
        ui::MainWindow w(user);
        startPool(w);
        user.dialogAnswers = {typeInto("title", QStringLiteral("Cup 2"))};
        w.controller().settings();
        QVERIFY(w.controller().canUndo());
        w.controller().setEditingUnlocked(false);
        QVERIFY(!w.controller().canUndo());
        w.controller().undo();
        QCOMPARE(w.controller().game().settings.name, std::string("Cup 2"));

        w.controller().openAtStart(local(otherGameWithPassword()));
        QVERIFY(!w.controller().editingUnlocked());
        QVERIFY(!w.controller().canUndo());
        user.dialogAnswers = {typeInto("name", QStringLiteral("late"))};
        w.controller().addMember();
        QVERIFY(w.controller().canUndo());
        w.controller().undo();
        QCOMPARE(w.controller().game().findMemberByName("late"), -1);
        QVERIFY(!w.controller().editingUnlocked());
        QCOMPARE(w.controller().game().settings.password, 1234);
    }

private:
    QString otherGameWithPassword() {
        Game locked;
        locked.settings.name = "locked";
        locked.settings.password = 1234;
        Team team;
        team.name = "Wales";
        locked.addTeam(team);
        const QString path = dir_.filePath(QStringLiteral("locked.svl"));
        saveGame(locked, local(path));
        return path;
    }
};

QTEST_MAIN(UndoTest)
#include "undo_test.moc"
