// The window as a desktop program: a file named at start, a file dropped on
// it, the unsaved changes and the exit question, the folders the file
// dialogs start in, and no settings of the toolkit left behind.
#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTimer>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <sys/stat.h>

#include "gamefile/game_file.h"
#include "gamefile/safe_file.h"
#include "tests/support/scripted_interaction.h"
#include "tests/ui/ui_fixture.h"
#include "ui/app_setup.h"
#include "ui/dialogs/html_output.h"
#include "ui/dialogs/settings_dialog.h"
#include "ui/dialogs/team_dialog.h"
#include "ui/load_settings_dialog.h"
#include "ui/password_dialog.h"

using namespace scorvale;
using namespace scorvale::testing;
using Answer = ui::Interaction::Answer;

namespace {

std::function<bool(QDialog&)> loadMode(bool newLoad) {
    return [newLoad](QDialog& d) {
        dynamic_cast<ui::LoadSettingsDialog&>(d).newLoadBox()->setChecked(newLoad);
        return true;
    };
}


std::string local(const QString& path) { return QFile::encodeName(path).toStdString(); }

const QString kMatchList = QStringLiteral(SOURCE_ROOT "/tests/fixtures/openfootball/worldcup2002.json");
const QString kMembers = QStringLiteral(SOURCE_ROOT "/tests/fixtures/members/form.csv");
const QString kExitQuestion = QStringLiteral("変更が保存されていません。保存してから終了しますか？");
const QString kNoTitle = QStringLiteral("ゲームのタイトルが空のため、保存できません。\n設定でタイトルを入力してから保存してください。");

}  // namespace

class DesktopTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString writeGame(const QString& name, std::int32_t password, const char* team = "Alpha") {
        Game game;
        game.settings.name = "Saved";
        game.settings.password = password;
        Team t;
        t.name = team;
        game.addTeam(t);
        const QString path = dir_.filePath(name);
        saveGame(game, local(path));
        return path;
    }

    static void drop(ui::MainWindow& w, const QString& path, bool* accepted = nullptr) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(300, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&w, &enter);
        if (accepted) *accepted = enter.isAccepted();
        if (!enter.isAccepted()) return;
        QDropEvent event(QPointF(300, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&w, &event);
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase() { ui::keepToolkitSettingsWithinTheRun(); }

    void openAtStart_data() {
        QTest::addColumn<int>("password");
        QTest::addColumn<bool>("exists");
        QTest::newRow("game without password") << 0 << true;
        QTest::newRow("password-protected game") << 760 << true;
        QTest::newRow("missing file") << 0 << false;
    }
    void openAtStart() {
        QFETCH(int, password);
        QFETCH(bool, exists);
        const QString path = exists ? writeGame(QStringLiteral("start.svl"), password) : dir_.filePath(QStringLiteral("none.svl"));
        ScriptedInteraction user;
        ui::MainWindow w(user);
        w.controller().openAtStart(local(path));
        const Game& game = w.controller().game();
        QVERIFY(user.dialogTitles.empty() && user.fileRequests.empty());
        if (!exists) {
            // The message of the Load command; the window starts as it would.
            QCOMPARE(user.messages.size(), 1u);
            QCOMPARE(user.messages[0].caption, QStringLiteral("読み込み"));
            QVERIFY(user.messages[0].text.startsWith(path));
            QCOMPARE(w.windowTitle(), QStringLiteral("Scorvale"));
            QCOMPARE(game.settings.name, std::string("Let's bet on the World Cup 2002"));
            QVERIFY(w.controller().currentFilePath().empty());
            return;
        }
        QVERIFY(user.messages.empty());
        QCOMPARE(w.windowTitle(), QStringLiteral("Scorvale! [Saved]"));
        QCOMPARE(game.teamCount(), 1);
        QCOMPARE(w.controller().currentFilePath(), local(path));
        QCOMPARE(w.controller().editingUnlocked(), password == 0);
        QCOMPARE(w.button(Cmd::settings)->isEnabled(), password == 0);
        QVERIFY(!w.controller().unsaved());
    }

    // A game file dropped on the window runs the Load command with that file:
    // the load settings still ask, and no file dialog opens.
    void dropRunsTheLoadCommand() {
        const QString first = writeGame(QStringLiteral("first.svl"), 0, "Alpha");
        const QString second = writeGame(QStringLiteral("second.SVL"), 0, "Beta");
        ScriptedInteraction user;
        ui::MainWindow w(user);
        user.dialogAnswers = {loadMode(true)};
        drop(w, first);
        QCOMPARE(user.dialogTitles, std::vector<QString>({QStringLiteral("読み込み設定")}));
        QVERIFY(user.fileRequests.empty());
        QCOMPARE(teamNames(w.controller().game()), std::vector<std::string>({"Alpha"}));
        QCOMPARE(w.controller().currentFilePath(), local(first));

        user.dialogAnswers = {loadMode(false)};  // a merge of the other file
        drop(w, second);
        QCOMPARE(teamNames(w.controller().game()), std::vector<std::string>({"Alpha", "Beta"}));
        QCOMPARE(w.controller().currentFilePath(), local(first));

        // While locked a merge reads nothing, as the Load command's would.
        w.controller().setEditingUnlocked(false);
        const QString third = writeGame(QStringLiteral("third.svl"), 0, "Gamma");
        user.dialogAnswers = {loadMode(false)};
        drop(w, third);
        QCOMPARE(teamNames(w.controller().game()).size(), 2u);

        // Other files and cancelled settings do nothing.
        QFile text(dir_.filePath(QStringLiteral("notes.txt")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.close();
        bool accepted = true;
        drop(w, text.fileName(), &accepted);
        QVERIFY(!accepted);
        user.dialogAnswers = {ScriptedInteraction::cancel()};
        drop(w, third);
        QCOMPARE(teamNames(w.controller().game()).size(), 2u);
        QVERIFY(user.messages.empty());
    }

    // Every confirmed command that changes the game marks it unsaved; a new
    // load and a save clear the mark; ordering alone leaves it.
    void unsavedAfterEachCommand_data() {
        using Step = std::function<void(ui::MainWindow&, ScriptedInteraction&)>;
        QTest::addColumn<Step>("step");
        QTest::addColumn<bool>("unsaved");
        const auto click = [](Cmd command) { return [command](ui::MainWindow& w, ScriptedInteraction&) { QTest::mouseClick(w.button(command), Qt::LeftButton); }; };
        const auto answer = [](std::function<bool(QDialog&)> a, Step then) {
            return Step([a, then](ui::MainWindow& w, ScriptedInteraction& u) {
                u.dialogAnswers = {a};
                then(w, u);
            });
        };
        QTest::newRow("header click") << Step([](ui::MainWindow& w, ScriptedInteraction&) {
            w.controller().teamHeaderClicked(lists::columnIndex(TeamColumn::points));
        }) << false;
        QTest::newRow("settings confirmed") << answer(ScriptedInteraction::ok(), click(Cmd::settings)) << true;
        QTest::newRow("settings cancelled") << answer(ScriptedInteraction::cancel(), click(Cmd::settings)) << false;
        QTest::newRow("team added") << answer(typeInto("name", QStringLiteral("Delta")), click(Cmd::addTeam)) << true;
        QTest::newRow("no team added") << answer(ScriptedInteraction::cancel(), click(Cmd::addTeam)) << false;
        QTest::newRow("member added") << answer(typeInto("name", QStringLiteral("mia")), click(Cmd::addMember)) << true;
        QTest::newRow("team edited") << Step([](ui::MainWindow& w, ScriptedInteraction& u) {
            u.dialogAnswers = {ScriptedInteraction::ok()};
            w.controller().editTeam(0);
        }) << true;
        QTest::newRow("team viewed") << Step([](ui::MainWindow& w, ScriptedInteraction& u) {
            u.dialogAnswers = {ScriptedInteraction::cancel()};
            w.controller().editTeam(0);
        }) << false;
        QTest::newRow("member confirmed") << Step([](ui::MainWindow& w, ScriptedInteraction& u) {
            u.dialogAnswers = {ScriptedInteraction::ok()};
            w.controller().editMember(0);
        }) << true;
        QTest::newRow("member looked at") << Step([](ui::MainWindow& w, ScriptedInteraction& u) {
            u.dialogAnswers = {ScriptedInteraction::cancel()};
            w.controller().editMember(0);
        }) << false;
        QTest::newRow("password set") << answer(
            [](QDialog& d) {
                for (const char* name : {"new", "confirm"}) d.findChild<QLineEdit*>(QString::fromLatin1(name))->setText(QStringLiteral("abc"));
                return true;
            },
            click(Cmd::password)) << true;
        QTest::newRow("password refused") << answer(
            [](QDialog& d) {
                d.findChild<QLineEdit*>(QStringLiteral("new"))->setText(QStringLiteral("abc"));
                return true;
            },
            click(Cmd::password)) << false;
        // A page changes the game's file only by a new title, a new text of
        // the report's that the file keeps or another choice of page (not its
        // date or its ranges).
        const auto page = [](std::function<bool(QDialog&)> values) {
            return Step([values](ui::MainWindow& w, ScriptedInteraction& u) {
                u.dialogAnswers = {values};
                u.fileAnswers = {QStringLiteral("/nowhere/page.html")};
                QTest::mouseClick(w.button(Cmd::htmlOutput), Qt::LeftButton);
            });
        };
        QTest::newRow("page, values as they were") << page(ScriptedInteraction::ok()) << false;
        QTest::newRow("page, another date and range") << page([](QDialog& d) {
            d.findChild<QLineEdit*>(QStringLiteral("date"))->setText(QStringLiteral("02/07/01"));
            d.findChild<QAbstractButton*>(QStringLiteral("memberRange0"))->click();
            return true;
        }) << false;
        QTest::newRow("page, another title") << page(typeInto("title", QStringLiteral("Cup"))) << true;
        QTest::newRow("page, another presenter") << page(typeInto("editor", QStringLiteral("ed"))) << true;
        QTest::newRow("page, the phone page") << page([](QDialog& d) {
            d.findChild<QAbstractButton*>(QStringLiteral("pagePhone"))->click();
            return true;
        }) << true;
        QTest::newRow("page, with its picture") << page([](QDialog& d) {
            d.findChild<QAbstractButton*>(QStringLiteral("picture"))->click();
            return true;
        }) << true;
        QTest::newRow("page cancelled") << answer(ScriptedInteraction::cancel(), click(Cmd::htmlOutput)) << false;
    }
    void unsavedAfterEachCommand() {
        using Step = std::function<void(ui::MainWindow&, ScriptedInteraction&)>;
        QFETCH(Step, step);
        QFETCH(bool, unsaved);
        ui::setHtmlReportWriterForTesting([](const Game&, const std::string&, const ReportSettings&) {});
        ScriptedInteraction user;
        ui::MainWindow w(user);
        fillPool(w.controller().game());
        w.controller().refreshView();
        QVERIFY(!w.controller().unsaved());
        step(w, user);
        ui::setHtmlReportWriterForTesting(nullptr);
        QCOMPARE(w.controller().unsaved(), unsaved);
    }

    void loadsAndSavesClearTheMark() {
        const QString path = writeGame(QStringLiteral("mark.svl"), 0);
        const QString other = writeGame(QStringLiteral("other.svl"), 0, "Other");
        ScriptedInteraction user;
        ui::MainWindow w(user);
        user.dialogAnswers = {ScriptedInteraction::ok()};
        QTest::mouseClick(w.button(Cmd::settings), Qt::LeftButton);
        QVERIFY(w.controller().unsaved());
        user.dialogAnswers = {loadMode(true)};
        user.yesNoCancelAnswers = {Answer::No};  // the changes given up
        user.fileAnswers = {path};
        QTest::mouseClick(w.button(Cmd::load), Qt::LeftButton);
        QCOMPARE(user.questions.size(), 1u);
        QVERIFY(!w.controller().unsaved());
        user.dialogAnswers = {loadMode(false)};  // merging a team in
        user.fileAnswers = {other};
        QTest::mouseClick(w.button(Cmd::load), Qt::LeftButton);
        QVERIFY(w.controller().unsaved());
        user.fileAnswers = {path};
        QTest::mouseClick(w.button(Cmd::save), Qt::LeftButton);
        QVERIFY(!w.controller().unsaved());
        user.dialogAnswers = {loadMode(false)};  // a merge that brings nothing new
        user.fileAnswers = {other};
        QTest::mouseClick(w.button(Cmd::load), Qt::LeftButton);
        QVERIFY(!w.controller().unsaved());
        QVERIFY(user.messages.empty());
    }

    // With unsaved changes Exit offers to save first: Yes saves and leaves
    // only once the file is written, No leaves, Cancel stays.
    void exitWithUnsavedChanges_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("saveTo");  // empty: the save dialog is cancelled
        QTest::addColumn<bool>("writeFails");
        QTest::addColumn<bool>("leaves");
        QTest::newRow("yes, saved") << int(Answer::Yes) << QStringLiteral("exit.svl") << false << true;
        QTest::newRow("yes, save cancelled") << int(Answer::Yes) << QString() << false << false;
        QTest::newRow("yes, save failed") << int(Answer::Yes) << QStringLiteral("full.svl") << true << false;
        QTest::newRow("no") << int(Answer::No) << QString() << false << true;
        QTest::newRow("cancel") << int(Answer::Cancel) << QString() << false << false;
    }
    void exitWithUnsavedChanges() {
        QFETCH(int, answer);
        QFETCH(QString, saveTo);
        QFETCH(bool, writeFails);
        QFETCH(bool, leaves);
        ScriptedInteraction user;
        ui::MainWindow w(user);
        w.show();
        user.dialogAnswers = {typeInto("name", QStringLiteral("Delta"))};
        QTest::mouseClick(w.button(Cmd::addTeam), Qt::LeftButton);
        QVERIFY(w.controller().unsaved());

        user.yesNoCancelAnswers = {Answer(answer)};
        if (!saveTo.isEmpty()) user.fileAnswers = {dir_.filePath(saveTo)};
        else user.fileAnswers = {std::nullopt};
        if (writeFails) setWriteFaultHookForTesting([](std::size_t) { return false; });
        QTest::keyClick(&w, Qt::Key_Escape);
        setWriteFaultHookForTesting(nullptr);

        const ScriptedInteraction::Message ask{ui::Interaction::Icon::Question, QStringLiteral("終了"), kExitQuestion};
        QCOMPARE(user.questions.size(), 1u);
        QVERIFY(user.questions[0] == ask);
        QCOMPARE(w.isVisible(), !leaves);
        const bool saved = !saveTo.isEmpty() && !writeFails;
        if (!saveTo.isEmpty()) QCOMPARE(QFile::exists(dir_.filePath(saveTo)), saved);
        QCOMPARE(user.messages.size(), writeFails ? 1u : 0u);
        QCOMPARE(w.controller().unsaved(), !saved);
    }

    // Exit, はい, while the game has no title: the save cannot run, and the
    // user is told why instead of finding the window still there.
    void exitWithoutTitleTellsWhy() {
        ScriptedInteraction user;
        ui::MainWindow w(user);
        w.show();
        user.dialogAnswers = {typeInto("name", QStringLiteral("Delta"))};
        QTest::mouseClick(w.button(Cmd::addTeam), Qt::LeftButton);
        w.controller().game().settings.name.clear();
        user.yesNoCancelAnswers = {Answer::Yes};
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(w.isVisible());
        QVERIFY(user.fileRequests.empty());
        QCOMPARE(user.messages.size(), 1u);
        QVERIFY(user.messages[0] == (ScriptedInteraction::Message{ui::Interaction::Icon::Warning, QStringLiteral("保存"), kNoTitle}));
        QVERIFY(w.controller().unsaved());
    }

    // A new load with unsaved changes asks first, before the file is chosen
    // (a save answered there may write the file then opened): はい saves and
    // goes on only once the file is written, いいえ gives the changes up,
    // キャンセル stops. A cancel or a refusal at any step leaves the game as it was.
    void newLoadWithUnsavedChanges_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("files");  // the file dialogs' answers in order; "" cancels
        QTest::addColumn<bool>("titled");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<QString>("warning");  // how the one message starts, if any
        const QString notAGame = QStringLiteral("ゲームファイルではないため、読み込めません。");
        const auto files = [](std::initializer_list<const char*> names) {
            QStringList list;
            for (const char* n : names) list << QString::fromLatin1(n);
            return list;
        };
        QTest::newRow("cancel") << int(Answer::Cancel) << files({}) << true << false << false << QString();
        QTest::newRow("yes, save cancelled") << int(Answer::Yes) << files({""}) << true << false << false << QString();
        QTest::newRow("yes, save refused") << int(Answer::Yes) << files({"fifo"}) << true << false << false
                                             << QStringLiteral("fifo\n通常のファイルではない（FIFO）ため、保存できません。");
        QTest::newRow("yes, no title") << int(Answer::Yes) << files({}) << false << false << false << kNoTitle;
        QTest::newRow("yes, saved, open cancelled") << int(Answer::Yes) << files({"saved.svl", ""}) << true << true << false << QString();
        QTest::newRow("yes, saved, not a game") << int(Answer::Yes) << files({"saved.svl", "notes.svl"}) << true << true << false << QStringLiteral("notes.svl");
        QTest::newRow("yes, saved, loaded") << int(Answer::Yes) << files({"saved.svl", "load.svl"}) << true << true << true << QString();
        QTest::newRow("no, open cancelled") << int(Answer::No) << files({""}) << true << false << false << QString();
        QTest::newRow("no, not a game") << int(Answer::No) << files({"notes.svl"}) << true << false << false << QStringLiteral("notes.svl");
        QTest::newRow("no, loaded") << int(Answer::No) << files({"load.svl"}) << true << false << true << QString();
    }
    void newLoadWithUnsavedChanges() {
        QFETCH(int, answer);
        QFETCH(QStringList, files);
        QFETCH(bool, titled);
        QFETCH(bool, saved);
        QFETCH(bool, loaded);
        QFETCH(QString, warning);
        QTemporaryDir here;
        const auto at = [&here](const QString& name) { return here.filePath(name); };
        {
            Game other;
            other.settings.name = "Other";
            Team t;
            t.name = "Alpha";
            other.addTeam(t);
            saveGame(other, local(at(QStringLiteral("load.svl"))));
        }
        QFile notes(at(QStringLiteral("notes.svl")));
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.write("meeting notes\r\n");
        notes.close();
        QCOMPARE(::mkfifo(QFile::encodeName(at(QStringLiteral("fifo"))).constData(), 0600), 0);

        ScriptedInteraction user;
        ui::MainWindow w(user);
        user.dialogAnswers = {typeInto("name", QStringLiteral("Delta"))};
        QTest::mouseClick(w.button(Cmd::addTeam), Qt::LeftButton);
        if (!titled) w.controller().game().settings.name.clear();
        const Game before = w.controller().game();

        user.dialogAnswers = {loadMode(true)};
        user.yesNoCancelAnswers = {Answer(answer)};
        for (const QString& f : files) user.fileAnswers.push_back(f.isEmpty() ? std::nullopt : std::optional(at(f)));
        QTest::mouseClick(w.button(Cmd::load), Qt::LeftButton);

        const ScriptedInteraction::Message ask{ui::Interaction::Icon::Question, QStringLiteral("読み込み"),
                                               QStringLiteral("変更が保存されていません。保存してから読み込みますか？")};
        QCOMPARE(user.questions.size(), 1u);
        QVERIFY(user.questions[0] == ask);
        QCOMPARE(user.fileRequests.size(), std::size_t(files.size()));
        QVERIFY(user.fileAnswers.empty());
        if (answer == int(Answer::Yes) && !files.isEmpty()) QVERIFY(user.fileRequests[0].save);
        QCOMPARE(QFile::exists(at(QStringLiteral("saved.svl"))), saved);
        if (saved) {
            Game back;
            loadGame(back, local(at(QStringLiteral("saved.svl"))), ReadAll);
            QCOMPARE(teamNames(back), std::vector<std::string>({"Delta"}));
        }
        const Game& game = w.controller().game();
        if (loaded) {
            QCOMPARE(teamNames(game), std::vector<std::string>({"Alpha"}));
            QCOMPARE(w.controller().currentFilePath(), local(at(QStringLiteral("load.svl"))));
            QVERIFY(!w.controller().unsaved());
        } else {
            QCOMPARE(teamNames(game), teamNames(before));
            QCOMPARE(game.settings, before.settings);
            QCOMPARE(w.controller().unsaved(), !saved);
        }
        QCOMPARE(user.messages.size(), warning.isEmpty() ? 0u : 1u);
        if (!warning.isEmpty()) {
            QCOMPARE(user.messages[0].icon, ui::Interaction::Icon::Warning);
            QVERIFY2(user.messages[0].text.startsWith(warning.startsWith(u'ゲ') ? warning : at(warning)),
                     qPrintable(user.messages[0].text));
        }
        QVERIFY(QFileInfo(at(QStringLiteral("fifo"))).exists());
    }

    // A file named at start that holds no game is refused with the Load
    // command's message: the window starts as it would without it.
    void openAtStartRefusesAFileWithoutAGame() {
        QFile notes(dir_.filePath(QStringLiteral("notes.txt")));
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.write("meeting notes\r\n");
        notes.close();
        ScriptedInteraction user;
        ui::MainWindow w(user);
        w.controller().openAtStart(local(notes.fileName()));
        QCOMPARE(user.messages.size(), 1u);
        QCOMPARE(user.messages[0].text, notes.fileName() + QStringLiteral("\nゲームファイルではないため、読み込めません。"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Scorvale"));
        QVERIFY(w.controller().currentFilePath().empty());
        QCOMPARE(w.controller().game().settings.name, std::string("Let's bet on the World Cup 2002"));
    }

    // The imports: from the load settings' group, from the strip's menu and
    // by a dropped file, only while editing is unlocked.
    void importsFromTheLoadDialog() {
        ScriptedInteraction user;
        ui::MainWindow w(user);
        user.dialogAnswers = {[](QDialog& d) {
                                  auto& load = dynamic_cast<ui::LoadSettingsDialog&>(d);
                                  if (!load.importResultsButton()->isEnabled()) return false;
                                  load.importResultsButton()->click();
                                  return true;
                              },
                              ScriptedInteraction::ok()};
        user.fileAnswers = {kMatchList};
        QTest::mouseClick(w.button(Cmd::load), Qt::LeftButton);
        QCOMPARE(user.dialogTitles,
                 std::vector<QString>({QStringLiteral("読み込み設定"), QStringLiteral("試合結果の取り込み")}));
        QCOMPARE(user.fileRequests.back().filter, QStringLiteral("試合結果 (*.json *.csv)"));
        QCOMPARE(w.controller().game().teamCount(), 32);
        QVERIFY(w.controller().unsaved());
        QCOMPARE(cell(w.teamList(), 0, TeamColumn::name), QStringLiteral("ブラジル"));  // ranked

        user.dialogTitles.clear();
        user.dialogAnswers = {[](QDialog& d) {
            dynamic_cast<ui::LoadSettingsDialog&>(d).importMembersButton()->click();
            return true;
        }};
        user.fileAnswers = {std::nullopt};
        QTest::mouseClick(w.button(Cmd::load), Qt::LeftButton);
        QCOMPARE(user.fileRequests.back().filter, QStringLiteral("CSV・テキスト (*.csv *.txt *.tsv);;すべてのファイル (*)"));
        QCOMPARE(w.controller().game().memberCount(), 0);

        // Locked: the group is there but disabled, and a load goes on as one.
        w.controller().setEditingUnlocked(false);
        bool enabled = true;
        user.dialogAnswers = {[&enabled](QDialog& d) {
            enabled = d.findChild<QWidget*>(QStringLiteral("imports"))->isEnabled();
            return false;
        }};
        QTest::mouseClick(w.button(Cmd::load), Qt::LeftButton);
        QVERIFY(!enabled);
        // So are the two items of the strip's menu.
        QList<bool> items;
        QTimer::singleShot(0, [&items] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            for (QAction* a : menu->actions())
                if (a->text().endsWith(QStringLiteral("..."))) items << a->isEnabled();
            menu->close();
        });
        QWidget* strip = w.button(Cmd::load)->parentWidget();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(50, 300), strip->mapToGlobal(QPoint(50, 300)));
        QCoreApplication::sendEvent(strip, &event);
        QCOMPARE(items, QList<bool>({false, false, true}));
        QVERIFY(user.messages.empty());
    }

    void importsByDrop() {
        // A CSV whose header names the match columns might be either: asked.
        QFile both(dir_.filePath(QStringLiteral("both.csv")));
        QVERIFY(both.open(QIODevice::WriteOnly));
        both.write("team1,team2,score1,score2\nJapan,Brazil,1,2\n");
        both.close();
        struct Case {
            QString file;
            std::vector<Answer> asked;  // the answer to "which import?", when asked
            QString dialog;             // the preview that opens, or none
        } cases[] = {
            {kMatchList, {}, QStringLiteral("試合結果の取り込み")},
            {kMembers, {}, QStringLiteral("参加者の取り込み")},
            {both.fileName(), {Answer::Yes}, QStringLiteral("試合結果の取り込み")},
            {both.fileName(), {Answer::No}, QStringLiteral("参加者の取り込み")},
            {both.fileName(), {Answer::Cancel}, QString()},
        };
        for (const Case& c : cases) {
            ScriptedInteraction user;
            ui::MainWindow w(user);
            user.yesNoCancelAnswers = {c.asked.begin(), c.asked.end()};
            drop(w, c.file);
            QCOMPARE(user.questions.size(), c.asked.size());
            QCOMPARE(user.dialogTitles, c.dialog.isEmpty() ? std::vector<QString>() : std::vector<QString>({c.dialog}));
            QVERIFY(user.fileRequests.empty());
            // Locked, such a file is not taken at all.
            w.controller().setEditingUnlocked(false);
            bool accepted = true;
            drop(w, c.file, &accepted);
            QVERIFY(!accepted);
        }
    }

    // Within a run the game's file dialogs start in its file's folder, and an
    // image picker where the last picture was chosen.
    void fileDialogsStartWhereTheFilesAre() {
        const QString path = writeGame(QStringLiteral("here.svl"), 0);
        ScriptedInteraction user;
        ui::MainWindow w(user);
        user.dialogAnswers = {loadMode(true)};
        user.fileAnswers = {std::nullopt};
        QTest::mouseClick(w.button(Cmd::load), Qt::LeftButton);
        QCOMPARE(user.fileRequests.back().folder, QString());
        w.controller().openAtStart(local(path));
        user.dialogAnswers = {loadMode(true)};
        user.fileAnswers = {std::nullopt};
        QTest::mouseClick(w.button(Cmd::load), Qt::LeftButton);
        QCOMPARE(user.fileRequests.back().folder, QDir(dir_.path()).absolutePath());
        user.fileAnswers = {std::nullopt};
        QTest::mouseClick(w.button(Cmd::save), Qt::LeftButton);
        QCOMPARE(user.fileRequests.back().initialPath, path);

        // The symbol picker of the team dialog, twice.
        user.dialogAnswers = {[](QDialog& d) {
            dynamic_cast<ui::TeamDialog&>(d).findChild<QAbstractButton*>(QStringLiteral("browse"))->click();
            dynamic_cast<ui::TeamDialog&>(d).findChild<QAbstractButton*>(QStringLiteral("browse"))->click();
            return false;
        }};
        user.fileAnswers = {QStringLiteral("/pictures/flags/jpn.png"), std::nullopt};
        QTest::mouseClick(w.button(Cmd::addTeam), Qt::LeftButton);
        QCOMPARE(user.fileRequests.back().folder, QStringLiteral("/pictures/flags"));
    }

    // Qt's file dialog keeps a history; none of it may outlast the run.
    void toolkitSettingsStayWithinTheRun() {
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        QVERIFY2(!config.isEmpty(), "main() gives the test a configuration folder of its own");
        {
            QFileDialog dialog;
            dialog.setOption(QFileDialog::DontUseNativeDialog);
            dialog.setDirectory(dir_.path());
            dialog.show();
            QCoreApplication::processEvents();
        }
        QVERIFY(!QFile::exists(config + QStringLiteral("/QtProject.conf")));
        QVERIFY(QDir(config).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
    }
};

// The user's configuration folder is a fresh one, so that a settings file the
// toolkit writes shows.
int main(int argc, char** argv) {
    QTemporaryDir config;
    if (!config.isValid()) return 1;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QApplication app(argc, argv);
    DesktopTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "desktop_test.moc"
