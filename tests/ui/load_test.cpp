#include <algorithm>

#include <QCheckBox>
#include <QFile>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

#include "gamefile/game_file.h"
#include "gamefile/safe_file.h"
#include "scoring/ordering.h"
#include "tests/support/scripted_interaction.h"
#include "tests/ui/ui_fixture.h"
#include "ui/dialogs/html_output.h"
#include "ui/load_settings_dialog.h"

using namespace scorvale;
using namespace scorvale::testing;

namespace {
// Answers the load dialog: a new load, or a merge of both collections.
std::function<bool(QDialog&)> loadMode(bool newLoad) {
    return [newLoad](QDialog& d) {
        auto& dialog = dynamic_cast<ui::LoadSettingsDialog&>(d);
        dialog.newLoadBox()->setChecked(newLoad);
        return true;
    };
}

bool sameGame(const Game& a, const Game& b) {
    return a.settings == b.settings && a.report == b.report && a.teams() == b.teams() && a.members() == b.members();
}

const QString kOutOfMemory = QStringLiteral("メモリが足りないため、この操作を完了できませんでした。");
}  // namespace

class LoadTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    // A saved game of three teams in name order, not rank order.
    QString writeFile(const char* fileName, std::int32_t password) {
        Game game;
        game.settings.name = "Saved game";
        game.settings.password = password;
        const struct { const char* name; int wins; } teams[] = {{"Alpha", 0}, {"Beta", 2}, {"Gamma", 1}};
        for (const auto& t : teams) {
            Team team;
            team.name = t.name;
            team.wins = t.wins;
            game.addTeam(team);
        }
        Member m;
        m.name = "member";
        m.addVote("Beta");
        game.addMember(m);
        const QString path = dir_.filePath(QString::fromLatin1(fileName));
        writeFileAtomically(QFile::encodeName(path).toStdString(), gameFileBytes(game));
        return path;
    }

    static bool rankOrdered(const Game& game) {
        for (int i = 1; i < game.teamCount(); ++i)
            if (game.teamAt(i - 1).rank > game.teamAt(i).rank) return false;
        for (int i = 1; i < game.memberCount(); ++i)
            if (game.memberAt(i - 1).rank > game.memberAt(i).rank) return false;
        return true;
    }

private slots:
    void dialogEnablingRule() {
        ui::LoadSettingsDialog d(true);
        QVERIFY(d.newLoad() && d.mergeTeams() && d.mergeMembers() && !d.readSettings());
        QVERIFY(!d.mergeTeamsBox()->isEnabled() && !d.mergeMembersBox()->isEnabled());
        QVERIFY(d.readSettingsBox()->isHidden());
        d.newLoadBox()->click();
        QVERIFY(d.mergeTeamsBox()->isEnabled() && d.mergeMembersBox()->isEnabled());
        QVERIFY(d.mergeTeams() && d.mergeMembers());
        d.newLoadBox()->click();
        QVERIFY(!d.mergeTeamsBox()->isEnabled() && d.mergeTeams());
        QCOMPARE(d.windowTitle(), QStringLiteral("読み込み設定"));
    }

    void newLoadLocksByPassword_data() {
        QTest::addColumn<int>("password");
        QTest::addColumn<bool>("unlocked");
        QTest::newRow("no password") << 0 << true;
        QTest::newRow("password") << 760 << false;
    }
    void newLoadLocksByPassword() {
        QFETCH(int, password);
        QFETCH(bool, unlocked);
        const QString path = writeFile("new.svl", password);
        ScriptedInteraction user;
        user.dialogAnswers = {loadMode(true)};
        user.fileAnswers = {path};
        ui::MainWindow w(user);
        fillPool(w.controller().game());
        QTest::mouseClick(w.button(Cmd::load), Qt::LeftButton);

        const Game& game = w.controller().game();
        QCOMPARE(user.fileRequests.size(), 1u);
        QCOMPARE(user.fileRequests[0].filter, QStringLiteral("svl (*.svl)"));
        QVERIFY(user.messages.empty());
        QCOMPARE(game.settings.name, std::string("Saved game"));
        QCOMPARE(teamNames(game), std::vector<std::string>({"Beta", "Gamma", "Alpha"}));
        QVERIFY(rankOrdered(game));
        QCOMPARE(game.memberCount(), 1);
        QCOMPARE(w.controller().editingUnlocked(), unlocked);
        QCOMPARE(w.button(Cmd::settings)->isEnabled(), unlocked);
        QCOMPARE(QFile::decodeName(QByteArray::fromStdString(w.controller().currentFilePath())), path);
        QCOMPARE(w.windowTitle(), QStringLiteral("Scorvale! [Saved game]"));
        QCOMPARE(cell(w.teamList(), 0, TeamColumn::name), QStringLiteral("Beta"));
    }

    void mergeFollowsTheLock_data() {
        QTest::addColumn<bool>("unlocked");
        QTest::newRow("locked reads nothing") << false;
        QTest::newRow("unlocked adds the missing") << true;
    }
    void mergeFollowsTheLock() {
        QFETCH(bool, unlocked);
        const QString path = writeFile("merge.svl", 0);
        ScriptedInteraction user;
        user.dialogAnswers = {loadMode(false)};
        user.fileAnswers = {path};
        ui::MainWindow w(user);
        Game& game = w.controller().game();
        fillPool(game);
        // Beta exists already with other results: a merge must keep them.
        Team beta;
        beta.name = "Beta";
        beta.losses = 7;
        game.addTeam(beta);
        w.controller().setEditingUnlocked(unlocked);
        w.controller().teamHeaderClicked(lists::columnIndex(TeamColumn::name));
        const GameSettings settings = game.settings;
        QTest::mouseClick(w.button(Cmd::load), Qt::LeftButton);

        std::vector<std::string> names = teamNames(game);
        std::sort(names.begin(), names.end());
        std::vector<std::string> expected = {"Beta", "Brazil", "France", "Japan", "Korea", "Senegal"};
        if (unlocked) expected = {"Alpha", "Beta", "Brazil", "France", "Gamma", "Japan", "Korea", "Senegal"};
        QCOMPARE(names, expected);
        QCOMPARE(game.teamAt(game.findTeamByName("Beta")).losses, 7);
        QCOMPARE(game.teamAt(game.findTeamByName("Beta")).wins, 0);
        QCOMPARE(game.memberCount(), unlocked ? 5 : 4);
        QVERIFY(rankOrdered(game));
        QCOMPARE(game.settings, settings);
        QVERIFY(w.controller().currentFilePath().empty());
        // The game's password is 0, so every completed load unlocks.
        QVERIFY(w.controller().editingUnlocked());
        QCOMPARE(w.teamList()->model()->rowCount(), int(expected.size()));
    }

    // A new load gives up the open game only once the file is in hand.
    void failedChoiceChangesNothing_data() {
        QTest::addColumn<bool>("chooseMissingFile");
        QTest::newRow("cancelled file choice") << false;
        QTest::newRow("unreadable file") << true;
    }
    void failedChoiceChangesNothing() {
        QFETCH(bool, chooseMissingFile);
        const QString missing = dir_.filePath(QStringLiteral("missing.svl"));
        ScriptedInteraction user;
        user.dialogAnswers = {loadMode(true)};
        if (chooseMissingFile) user.fileAnswers = {missing};
        ui::MainWindow w(user);
        Game& game = w.controller().game();
        fillPool(game);
        w.controller().setEditingUnlocked(true);
        w.controller().refreshView();
        const Game before = game;
        QTest::mouseClick(w.button(Cmd::load), Qt::LeftButton);

        QVERIFY(sameGame(game, before));
        QVERIFY(w.controller().editingUnlocked());
        QVERIFY(w.controller().currentFilePath().empty());
        QCOMPARE(w.teamList()->model()->rowCount(), 5);
        QCOMPARE(user.messages.size(), chooseMissingFile ? 1u : 0u);
        if (chooseMissingFile) {
            QCOMPARE(user.messages[0].icon, ui::Interaction::Icon::Warning);
            QVERIFY(user.messages[0].text.contains(missing));
        }
    }

    void cancelledLoadDialog() {
        ScriptedInteraction user;
        ui::MainWindow w(user);
        QTest::mouseClick(w.button(Cmd::load), Qt::LeftButton);
        QCOMPARE(user.dialogTitles, std::vector<QString>({QStringLiteral("読み込み設定")}));
        QVERIFY(user.fileRequests.empty());
        QCOMPARE(w.windowTitle(), QStringLiteral("Scorvale"));
    }

    void saveThenLoadRoundTrip() {
        const QString path = dir_.filePath(QStringLiteral("round"));
        ScriptedInteraction user;
        user.fileAnswers = {path + QStringLiteral(".svl")};
        ui::MainWindow w(user);
        Game& game = w.controller().game();
        fillPool(game);
        game.settings.date = "02/07/01";
        game.settings.password = 760;
        game.report.editor = "ed";
        game.report.head = "two\r\nlines";
        game.report.foot = "foot";
        game.report.topImage = "top.png";
        game.teamAt(0).symbol = "br.png";
        QTest::mouseClick(w.button(Cmd::save), Qt::LeftButton);
        QVERIFY(user.messages.empty());
        QCOMPARE(QFile::decodeName(QByteArray::fromStdString(w.controller().currentFilePath())),
                 path + QStringLiteral(".svl"));

        // A new load of the saved file in another window gives back the same
        // game, ordered by rank and locked by its password.
        ScriptedInteraction other;
        other.dialogAnswers = {loadMode(true)};
        other.fileAnswers = {path + QStringLiteral(".svl")};
        ui::MainWindow back(other);
        QTest::mouseClick(back.button(Cmd::load), Qt::LeftButton);
        QVERIFY(other.messages.empty());
        Game expected = game;
        sortTeams(expected, TeamSortKey::rank);
        sortMembers(expected, MemberSortKey::rank);
        QVERIFY(sameGame(back.controller().game(), expected));
        QVERIFY(!back.controller().editingUnlocked());

        // The next save proposes the same file; a write failure is told.
        user.fileAnswers = {dir_.filePath(QStringLiteral("no/such/folder/x.svl"))};
        QTest::mouseClick(w.button(Cmd::save), Qt::LeftButton);
        QCOMPARE(user.fileRequests[1].initialPath, path + QStringLiteral(".svl"));
        QCOMPARE(user.messages.size(), 1u);
        QCOMPARE(user.messages[0].icon, ui::Interaction::Icon::Warning);
    }

    // What the reader cannot take, and a file that holds no game, is refused
    // with a message at once, by a new load and by a merge: the open game,
    // its path and the lock stay.
    void unreadableFilesRefused_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("newLoad");
        QTest::addColumn<QString>("reason");
        QTest::newRow("FIFO") << "fifo" << true << "not a regular file (a FIFO)";
        // 64 GiB, or more where the machine's memory is larger still.
        const std::uint64_t huge = std::max<std::uint64_t>(std::uint64_t{64} << 30, readableFileLimit() + 1);
        QTest::newRow("sparse 64 GiB") << "sparse" << true << QString::number(huge) + QStringLiteral(" bytes");
        QTest::newRow("device") << "device" << true << "not a regular file (a character device)";
        const QString noGame = QStringLiteral("ゲームファイルではないため、読み込めません。");
        for (const bool newLoad : {true, false})
            for (const char* kind : {"text", "binary", "scrambled"})
                QTest::addRow("%s, %s", kind, newLoad ? "new load" : "merge") << kind << newLoad << noGame;
    }
    void unreadableFilesRefused() {
        QFETCH(QString, kind);
        QFETCH(bool, newLoad);
        QFETCH(QString, reason);
        QString path = dir_.filePath(kind + QStringLiteral(".svl"));
        const QByteArray local = QFile::encodeName(path);
        if (kind == QLatin1String("fifo")) QCOMPARE(::mkfifo(local.constData(), 0600), 0);
        if (kind == QLatin1String("sparse")) {
            const std::uint64_t huge = std::max<std::uint64_t>(std::uint64_t{64} << 30, readableFileLimit() + 1);
            const int fd = ::open(local.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            QVERIFY(fd >= 0);
            QCOMPARE(::ftruncate(fd, static_cast<off_t>(huge)), 0);
            ::close(fd);
        }
        if (kind == QLatin1String("device")) path = QStringLiteral("/dev/zero");
        // Files without a game: a note, a picture's bytes, lines that look scrambled.
        std::string bytes;
        if (kind == QLatin1String("text")) bytes = "meeting notes\r\n[agenda] results\r\n";
        if (kind == QLatin1String("binary"))
            for (int i = 0; i < 4096; ++i) bytes += static_cast<char>((i * 37) & 0xFF);
        if (kind == QLatin1String("scrambled"))
            for (const char* line : {"[T_NAME]Alpha", "[T_END]", "nothing of a game"}) bytes += scrambleLine(line) + "\r\n";
        if (!bytes.empty()) writeFileAtomically(local.toStdString(), bytes);
        ScriptedInteraction user;
        user.dialogAnswers = {loadMode(newLoad)};
        user.fileAnswers = {path};
        ui::MainWindow w(user);
        fillPool(w.controller().game());
        w.controller().refreshView();
        const Game before = w.controller().game();
        ::alarm(30);  // a load that hangs ends the test here instead of the run
        QTest::mouseClick(w.button(Cmd::load), Qt::LeftButton);
        ::alarm(0);
        QCOMPARE(user.messages.size(), 1u);
        QCOMPARE(user.messages[0].icon, ui::Interaction::Icon::Warning);
        QCOMPARE(user.messages[0].caption, QStringLiteral("読み込み"));
        QVERIFY2(user.messages[0].text.startsWith(path + u'\n') && user.messages[0].text.contains(reason),
                 qPrintable(user.messages[0].text));
        QVERIFY(sameGame(w.controller().game(), before));
        QVERIFY(w.controller().editingUnlocked());
        QVERIFY(w.controller().currentFilePath().empty());
        QCOMPARE(w.teamList()->model()->rowCount(), 5);
    }

    // An empty file still loads, as an empty game.
    void emptyFileLoadsAnEmptyGame() {
        const QString path = dir_.filePath(QStringLiteral("empty.svl"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        ScriptedInteraction user;
        user.dialogAnswers = {loadMode(true)};
        user.fileAnswers = {path};
        ui::MainWindow w(user);
        fillPool(w.controller().game());
        QTest::mouseClick(w.button(Cmd::load), Qt::LeftButton);
        QVERIFY(user.messages.empty());
        QCOMPARE(w.controller().game().teamCount(), 0);
        QCOMPARE(w.controller().game().memberCount(), 0);
        QVERIFY(w.controller().game().settings.name.empty());
        QCOMPARE(QFile::decodeName(QByteArray::fromStdString(w.controller().currentFilePath())), path);
    }

    // Memory running out in the middle of a load, a merge, a save or a page
    // ends the command with a message and leaves the game and the window's
    // state as they were before the command.
    void outOfMemoryChangesNothing_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("caption");
        QTest::newRow("new load") << "new load" << "読み込み";
        QTest::newRow("merge") << "merge" << "読み込み";
        QTest::newRow("save") << "save" << "保存";
        QTest::newRow("page") << "page" << "HTML出力";
    }
    void outOfMemoryChangesNothing() {
        QFETCH(QString, command);
        QFETCH(QString, caption);
        const QString file = writeFile("other.svl", 760);
        QTemporaryDir here;  // what the commands write
        const QString first = here.filePath(QStringLiteral("first.svl"));
        ScriptedInteraction user;
        user.fileAnswers = {first};
        ui::MainWindow w(user);
        Game& game = w.controller().game();
        fillPool(game);
        game.report.editor = "ed";
        QTest::mouseClick(w.button(Cmd::save), Qt::LeftButton);  // currentFilePath is first.svl
        const Game before = game;
        const std::string pathBefore = w.controller().currentFilePath();

        const auto outOfMemory = [] { throw std::bad_alloc(); };
        Cmd button = Cmd::load;
        if (command == QLatin1String("new load")) {
            user.dialogAnswers = {loadMode(true)};
            user.fileAnswers = {file};
            ui::setLoadFaultHookForTesting(outOfMemory);
        } else if (command == QLatin1String("merge")) {
            // Settings, teams and members all read.
            user.dialogAnswers = {[](QDialog& d) {
                auto& dialog = dynamic_cast<ui::LoadSettingsDialog&>(d);
                dialog.newLoadBox()->setChecked(false);
                dialog.readSettingsBox()->setChecked(true);
                return true;
            }};
            user.fileAnswers = {file};
            ui::setLoadFaultHookForTesting(outOfMemory);
        } else if (command == QLatin1String("save")) {
            button = Cmd::save;
            user.fileAnswers = {here.filePath(QStringLiteral("second.svl"))};
            setWriteFaultHookForTesting([](std::size_t) -> bool { throw std::bad_alloc(); });
        } else {
            button = Cmd::htmlOutput;
            user.dialogAnswers = {[](QDialog& d) {
                d.findChild<QLineEdit*>(QStringLiteral("title"))->setText(QStringLiteral("New title"));
                d.findChild<QLineEdit*>(QStringLiteral("editor"))->setText(QStringLiteral("New editor"));
                return true;
            }};
            user.fileAnswers = {here.filePath(QStringLiteral("page.html"))};
            ui::setHtmlReportWriterForTesting([](const Game&, const std::string&, const ReportSettings&) {
                throw std::bad_alloc();
            });
        }
        QTest::mouseClick(w.button(button), Qt::LeftButton);
        ui::setLoadFaultHookForTesting(nullptr);
        setWriteFaultHookForTesting(nullptr);
        ui::setHtmlReportWriterForTesting(nullptr);

        QCOMPARE(user.messages.size(), 1u);
        QVERIFY(user.messages[0] == (ScriptedInteraction::Message{ui::Interaction::Icon::Warning, caption, kOutOfMemory}));
        QVERIFY(sameGame(game, before));
        QVERIFY(w.controller().editingUnlocked());
        QCOMPARE(w.controller().currentFilePath(), pathBefore);
        QCOMPARE(QDir(here.path()).entryList(QDir::Files), QStringList({QStringLiteral("first.svl")}));
    }
};

QTEST_MAIN(LoadTest)
#include "load_test.moc"
