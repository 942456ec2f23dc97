#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QtTest>

#include "gamefile/game_file.h"

#include "tests/dialogs/dialog_script.h"
#include "ui/dialogs/team_dialog.h"
#include "ui/dialogs/validation.h"
#include "ui/dialogs/edit_commands.h"
#include "model/today_text.h"

using namespace scorvale;
using namespace scorvale::testing;
using scorvale::ui::TeamDialog;
using scorvale::ui::TeamValues;

namespace {
const char* const kResultControls[] = {"wins", "losses", "draws", "goalDiff", "tournamentWins", "qualify"};
const char* const kAllButCancel[] = {"name",  "group",          "wins", "losses", "draws",  "goalDiff", "qualify",
                                     "tournamentWins", "out", "symbol", "browse", "delete", "ok"};

QString enabledResults(QWidget& dialog) {
    QString states;
    for (const char* name : kResultControls) states += child<QWidget>(dialog, name)->isEnabled() ? u'1' : u'0';
    return states;
}

Game gameWithTeam(const char* name) {
    Game game;
    Team team;
    team.name = name;
    team.wins = 2;
    game.addTeam(team);
    return game;
}
}  // namespace

class TeamDialogTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setTodayTextForTesting("04/08/16"); }
    void rangesAndMessages_data();
    void rangesAndMessages();
    void firstBadFieldWins();
    void gameFileTagsRefusedWhenTyped();
    void enablingRules_data();
    void enablingRules();
    void readOnlyWhenLocked();
    void textFieldsRefuseTypingBeyond127Bytes();
    void browseSetsOnlyTheSymbol();
    void addFlows();
    void editStampsDates();
    void deleteAsksFirst();
    void pastedLineBreakBecomesASpace();
};

void TeamDialogTest::rangesAndMessages_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const QString results = ui::wholeNumberRangeMessage(0, 10000);
    const QString goals = ui::wholeNumberRangeMessage(-1000000, 1000000);
    QTest::newRow("wins 10000") << "wins" << "10000" << "";
    QTest::newRow("wins 10001") << "wins" << "10001" << results;
    QTest::newRow("losses -1") << "losses" << "-1" << results;
    QTest::newRow("draws empty") << "draws" << "" << ui::wholeNumberMessage();
    QTest::newRow("goals -1000000") << "goalDiff" << "-1000000" << "";
    QTest::newRow("goals 1000000") << "goalDiff" << "1000000" << "";
    QTest::newRow("goals -1000001") << "goalDiff" << "-1000001" << goals;
    // Inactive (not qualified) yet still checked.
    QTest::newRow("tournament 100000") << "tournamentWins" << "100000" << "";
    QTest::newRow("tournament 100001") << "tournamentWins" << "100001" << ui::wholeNumberRangeMessage(0, 100000);
}

void TeamDialogTest::rangesAndMessages() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    DialogScript script;
    TeamDialog dialog(TeamValues{}, true, script);
    dialog.show();
    auto* edit = child<QLineEdit>(dialog, field.toLatin1().constData());
    edit->setText(text);
    click(dialog, "ok");
    if (message.isEmpty()) {
        QVERIFY(script.messages.empty());
        QCOMPARE(dialog.result(), QDialog::Accepted);
    } else {
        QCOMPARE(script.messages.size(), std::size_t{1});
        QCOMPARE(script.messages[0].text, message);
        QVERIFY(dialog.isVisible());
        if (edit->isEnabled()) QCOMPARE(dialog.focusWidget(), edit);
    }
}

void TeamDialogTest::firstBadFieldWins() {
    DialogScript script;
    TeamDialog dialog(TeamValues{}, true, script);
    dialog.show();
    // Order: draws, losses, name, wins, goal difference, tournament wins, symbol, group.
    child<QLineEdit>(dialog, "wins")->setText(QStringLiteral("x"));
    child<QLineEdit>(dialog, "losses")->setText(QStringLiteral("10001"));
    click(dialog, "ok");
    QCOMPARE(script.messages.size(), std::size_t{1});
    QCOMPARE(script.messages[0].text, ui::wholeNumberRangeMessage(0, 10000));
    QCOMPARE(dialog.focusWidget(), child<QWidget>(dialog, "losses"));

    child<QLineEdit>(dialog, "losses")->setText(QStringLiteral("1"));
    child<QLineEdit>(dialog, "group")->setText(QStringLiteral("\U0001F600"));
    click(dialog, "ok");
    QCOMPARE(script.messages.back().text, ui::wholeNumberMessage());
    QCOMPARE(dialog.focusWidget(), child<QWidget>(dialog, "wins"));

    child<QLineEdit>(dialog, "wins")->setText(QStringLiteral("1"));
    click(dialog, "ok");
    QCOMPARE(script.messages.back().text, ui::unencodableMessage(QStringLiteral("グループ")));
    QVERIFY(dialog.isVisible());
}

// A tag typed into a text would not come back from the file; one a file
// brought in stays, as every untouched text does.
void TeamDialogTest::gameFileTagsRefusedWhenTyped() {
    DialogScript script;
    TeamDialog typed(TeamValues{}, true, script);
    typed.show();
    child<QLineEdit>(typed, "name")->setText(QStringLiteral("World Cup[ALL_END]"));
    click(typed, "ok");
    QCOMPARE(script.messages.size(), std::size_t{1});
    QCOMPARE(script.messages[0].text, ui::tagMessage(QStringLiteral("チーム名"), "[ALL_END]"));
    QVERIFY(typed.isVisible());
    child<QLineEdit>(typed, "name")->setText(QStringLiteral("World Cup"));
    click(typed, "ok");
    QVERIFY(!typed.isVisible());

    TeamValues fromFile;
    fromFile.name = "A";
    fromFile.group = "g[M_END]";
    TeamDialog untouched(fromFile, true, script);
    untouched.show();
    click(untouched, "ok");
    QCOMPARE(script.messages.size(), std::size_t{1});
    QCOMPARE(untouched.values().group, std::string("g[M_END]"));
}

void TeamDialogTest::enablingRules_data() {
    QTest::addColumn<int>("out");
    QTest::addColumn<int>("qualify");
    QTest::addColumn<QString>("onOpen");  // wins losses draws goalDiff tournamentWins qualify
    QTest::addColumn<QString>("click");
    QTest::addColumn<QString>("afterClick");
    QTest::newRow("plain, tick qualify") << 0 << 0 << "111101" << "qualify" << "111111";
    QTest::newRow("qualified, untick") << 0 << 1 << "111111" << "qualify" << "111101";
    QTest::newRow("plain, tick out") << 0 << 0 << "111101" << "out" << "000000";
    QTest::newRow("out qualified, untick out") << 1 << 1 << "000000" << "out" << "111111";
    QTest::newRow("out, untick out") << 1 << 0 << "000000" << "out" << "111101";
}

void TeamDialogTest::enablingRules() {
    QFETCH(int, out);
    QFETCH(int, qualify);
    QFETCH(QString, onOpen);
    QFETCH(QString, click);
    QFETCH(QString, afterClick);
    DialogScript script;
    TeamValues values;
    values.out = out;
    values.qualify = qualify;
    TeamDialog dialog(values, true, script);
    QCOMPARE(enabledResults(dialog), onOpen);
    testing::click(dialog, click.toLatin1().constData());
    QCOMPARE(enabledResults(dialog), afterClick);
    QVERIFY(script.messages.empty());
}

void TeamDialogTest::readOnlyWhenLocked() {
    DialogScript script;
    TeamDialog dialog(TeamValues{}, false, script);
    for (const char* name : kAllButCancel) QVERIFY2(!child<QWidget>(dialog, name)->isEnabled(), name);
    QVERIFY(child<QWidget>(dialog, "cancel")->isEnabled());

    Game game = gameWithTeam("A");
    const Team before = game.teamAt(0);
    script.dialog([](QDialog& d) {
        click(d, "ok");
        click(d, "delete");
    });
    ui::editTeamByDialog(game, script, 0, false);
    QCOMPARE(game.teamAt(0), before);
    QVERIFY(script.finished());
}

void TeamDialogTest::textFieldsRefuseTypingBeyond127Bytes() {
    DialogScript script;
    TeamDialog dialog(TeamValues{}, true, script);
    dialog.show();
    for (const char* name : {"name", "group", "symbol"}) {
        auto* edit = child<QLineEdit>(dialog, name);
        type(edit, QString(64, u'あ'));  // 128 bytes: the last one is refused
        QCOMPARE(edit->text(), QString(63, u'あ'));
        type(edit, QStringLiteral("ab"));
        QCOMPARE(edit->text(), QString(63, u'あ') + u'a');
    }
}

void TeamDialogTest::browseSetsOnlyTheSymbol() {
    DialogScript script;
    TeamValues values;
    values.name = "A";
    TeamDialog dialog(values, true, script);
    dialog.show();
    retype(child<QLineEdit>(dialog, "name"), QStringLiteral("日本"));
    child<QLineEdit>(dialog, "wins")->setText(QStringLiteral("4"));
    script.openFile(QStringLiteral("C:\\images\\flag.gif")).openFile(std::nullopt).openFile(QStringLiteral("/x/y/z.png"));
    click(dialog, "browse");
    QCOMPARE(child<QLineEdit>(dialog, "symbol")->text(), QStringLiteral("flag.gif"));
    QCOMPARE(child<QLineEdit>(dialog, "name")->text(), QStringLiteral("日本"));
    QCOMPARE(child<QLineEdit>(dialog, "wins")->text(), QStringLiteral("4"));
    click(dialog, "browse");  // cancelled
    QCOMPARE(child<QLineEdit>(dialog, "symbol")->text(), QStringLiteral("flag.gif"));
    click(dialog, "browse");
    QCOMPARE(child<QLineEdit>(dialog, "symbol")->text(), QStringLiteral("z.png"));
    QCOMPARE(script.messages.size(), std::size_t{3});
    for (const auto& m : script.messages) {
        QCOMPARE(m.icon, ui::Interaction::Icon::Information);
        QCOMPARE(m.caption, QStringLiteral("チームシンボル画像ファイルの選択"));
        QCOMPARE(m.text, QStringLiteral("画像ファイルは出力したHTMLファイルと\n同じディレクトリに置いてください。"));
    }
    QVERIFY(script.finished());
}

void TeamDialogTest::addFlows() {
    Game game;
    DialogScript script;
    script.dialog([](QDialog& d) { click(d, "ok"); });  // empty name
    script.dialog([](QDialog& d) {
        retype(child<QLineEdit>(d, "name"), QStringLiteral("A"));
        click(d, "delete");
    });
    script.dialog([](QDialog& d) {
        retype(child<QLineEdit>(d, "name"), QStringLiteral("A"));
        click(d, "cancel");
    });
    QVERIFY(!ui::addTeamByDialog(game, script));
    QVERIFY(!ui::addTeamByDialog(game, script));
    QVERIFY(!ui::addTeamByDialog(game, script));
    QCOMPARE(game.teamCount(), 0);
    QVERIFY(script.messages.empty() && script.questions.empty());

    for (const char* name : {"弱", "強"}) {
        script.dialog([name](QDialog& d) {
            retype(child<QLineEdit>(d, "name"), QString::fromUtf8(name));
            child<QLineEdit>(d, "wins")->setText(QString::fromUtf8(name) == QStringLiteral("強") ? QStringLiteral("3")
                                                                                                 : QStringLiteral("1"));
            child<QLineEdit>(d, "goalDiff")->setText(QStringLiteral("-2"));
            click(d, "ok");
        });
        QVERIFY(ui::addTeamByDialog(game, script));
    }
    QCOMPARE(game.teamCount(), 2);
    // Scored and in rank order.
    QCOMPARE(game.teamAt(0).name.str(), std::string("\x8b\xad"));  // 強
    QCOMPARE(game.teamAt(0).points, 9);
    QCOMPARE(game.teamAt(0).goalDiff, -2);
    QCOMPARE(game.teamAt(0).date.str(), std::string("04/08/16"));
    QCOMPARE(game.settings.date, std::string("04/08/16"));
    QVERIFY(script.finished());
}

void TeamDialogTest::editStampsDates() {
    Game game = gameWithTeam("A");
    game.teamAt(0).symbol = "\xff\xfe";  // not Shift-JIS: kept unless edited
    game.teamAt(0).group = "G\r\nH";  // a line break from a file: kept unless edited
    DialogScript script;
    script.dialog([](QDialog& d) {
        retype(child<QLineEdit>(d, "name"), QString());
        child<QLineEdit>(d, "draws")->setText(QStringLiteral("5"));
        click(d, "ok");
    });
    ui::editTeamByDialog(game, script, 0, true);
    const Team& team = game.teamAt(0);
    QVERIFY(team.name.empty());  // an empty name is written when editing
    QCOMPARE(team.draws, 5);
    QCOMPARE(team.wins, 2);
    QCOMPARE(team.symbol.str(), std::string("\xff\xfe"));
    QCOMPARE(team.group.str(), std::string("G\r\nH"));
    QCOMPARE(team.date.str(), std::string("04/08/16"));
    QCOMPARE(game.settings.date, std::string("04/08/16"));
}

void TeamDialogTest::deleteAsksFirst() {
    Game game = gameWithTeam("A");
    DialogScript script;
    script.dialog([](QDialog& d) { click(d, "delete"); }).yesNo(false);
    ui::editTeamByDialog(game, script, 0, true);
    QCOMPARE(game.teamCount(), 1);
    QVERIFY(script.messages.empty());

    script.dialog([](QDialog& d) { click(d, "delete"); }).yesNo(true);
    ui::editTeamByDialog(game, script, 0, true);
    QCOMPARE(game.teamCount(), 0);
    QCOMPARE(script.questions.size(), std::size_t{2});
    QCOMPARE(script.questions[1].caption, QStringLiteral("チームの削除"));
    QCOMPARE(script.questions[1].text, QStringLiteral("本当に削除しますか？"));
    QCOMPARE(script.messages.size(), std::size_t{1});
    QCOMPARE(script.messages[0].icon, ui::Interaction::Icon::Warning);
    QCOMPARE(script.messages[0].caption, QStringLiteral("チームの削除"));
    QCOMPARE(script.messages[0].text, QStringLiteral("チームが削除されても、投票は有効です。注意してください。"));
    QVERIFY(script.finished());
}

// A line break pasted into a one-line field is a space in the team, so the
// saved file holds one team line and loads back the same team.
void TeamDialogTest::pastedLineBreakBecomesASpace() {
    Game game;
    DialogScript script;
    script.dialog([](QDialog& d) {
        auto* name = child<QLineEdit>(d, "name");
        QGuiApplication::clipboard()->setText(QStringLiteral("Alpha\nBeta"));
        name->paste();
        QCOMPARE(name->text(), QStringLiteral("Alpha Beta"));
        child<QLineEdit>(d, "group")->insert(QStringLiteral("A\r\nG\rB"));
        click(d, "ok");
    });
    QVERIFY(ui::addTeamByDialog(game, script));
    QCOMPARE(game.teamAt(0).name.str(), std::string("Alpha Beta"));
    QCOMPARE(game.teamAt(0).group.str(), std::string("A G B"));

    QTemporaryDir dir;
    const std::string path = QFile::encodeName(dir.filePath(QStringLiteral("cup.svl"))).toStdString();
    saveGame(game, path);
    Game back;
    loadGame(back, path, ReadAll);
    QCOMPARE(back.teamCount(), 1);
    QCOMPARE(back.teamAt(0).name.str(), std::string("Alpha Beta"));
    QCOMPARE(back.teamAt(0).group.str(), std::string("A G B"));
    QCOMPARE(back.teamAt(0).date.str(), std::string("04/08/16"));
}

QTEST_MAIN(TeamDialogTest)
#include "team_dialog_test.moc"

