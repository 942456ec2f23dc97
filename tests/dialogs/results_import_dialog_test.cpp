#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTemporaryDir>
#include <QTableView>
#include <QtTest>

#include "gamefile/game_file.h"
#include "model/today_text.h"
#include "tests/dialogs/dialog_script.h"
#include "ui/dialogs/import_error_text.h"
#include "ui/dialogs/results_import_command.h"
#include "ui/qt_text.h"

using namespace scorvale;
using namespace scorvale::testing;

namespace {
const std::string kToday = "26/06/30";
const QString kCaption = "試合結果の取り込み";

std::string sj(const char* utf8) { return ui::toSjis(QString::fromUtf8(utf8)).value(); }

Game smallGame() {
    Game game;
    game.settings.name = "cup";
    game.settings.date = "26/05/01";
    for (const char* name : {"日本", "アメリカ", "浦和レッズ"}) {
        Team team;
        team.name = sj(name);
        team.wins = 1;
        game.addTeam(team);
    }
    Member member;
    member.name = "M";
    member.appendVote(sj("日本"));
    game.addMember(member);
    return game;
}

// Japan, USA and a club the table does not know.
const char kSmallList[] =
    "group,team1,team2,score1,score2,date\n"
    "Group A,Japan,Urawa Reds,2,1,2026-06-01\n"
    "Group A,USA,Japan,0,0,2026-06-05\n"
    "Group A,Urawa Reds,USA,,,\n";

Game exampleGame() {
    Game game;
    game.settings.name.clear();
    loadGame(game, SOURCE_ROOT "/examples/worldcup2002.svl", ReadAll);
    return game;
}

bool sameGame(const Game& a, const Game& b) {
    return a.settings == b.settings && a.teams() == b.teams() && a.members() == b.members();
}

// The fields an import writes, and the name, as one line.
QString teamLine(const Team& t) {
    return QStringLiteral("%1 w%2 d%3 l%4 gd%5 tw%6 q%7 out%8 [%9] %10")
        .arg(ui::fromSjis(t.name.view()))
        .arg(t.wins)
        .arg(t.draws)
        .arg(t.losses)
        .arg(t.goalDiff)
        .arg(t.tournamentWins)
        .arg(t.qualify)
        .arg(t.out)
        .arg(ui::fromSjis(t.group.view()), ui::fromSjis(t.date.view()));
}

QTableView* rows(QDialog& dialog) { return child<QTableView>(dialog, "rows"); }

int column(QTableView* rows, const QString& caption) {
    for (int c = 0; c < rows->model()->columnCount(); ++c)
        if (rows->model()->headerData(c, Qt::Horizontal).toString() == caption) return c;
    qFatal("no column %s", qPrintable(caption));
}

QString cell(QDialog& dialog, int row, const QString& caption) {
    QTableView* view = rows(dialog);
    return view->model()->index(row, column(view, caption)).data().toString();
}

bool bold(QDialog& dialog, int row, const QString& caption) {
    QTableView* view = rows(dialog);
    return view->model()->index(row, column(view, caption)).data(Qt::FontRole).value<QFont>().bold();
}

QString target(QDialog& d, int row) { return cell(d, row, "ゲームのチーム"); }
QString newName(QDialog& d, int row) { return cell(d, row, "追加する名前"); }

// The editor the view has open, if any (a closed one lingers until deleted).
template <typename Editor>
Editor* editor(QDialog& d, const char* name) {
    for (Editor* e : rows(d)->viewport()->findChildren<Editor*>(QString::fromLatin1(name)))
        if (e->isVisible()) return e;
    return nullptr;
}

// Clicks a cell as the mouse would, scrolled into view first: on the cell,
// or on the editor open over it.
void clickCell(QDialog& d, int row, const QString& caption) {
    QTableView* view = rows(d);
    const QModelIndex index = view->model()->index(row, column(view, caption));
    view->scrollTo(index);
    const QPoint at = view->visualRect(index).center();
    QWidget* under = view->viewport()->childAt(at);
    QWidget* widget = under ? under : view->viewport();
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->mapFrom(view->viewport(), at));
}

// Picks `text` from a row's list of teams: a click on the cell opens the
// list; the choice is taken with the keyboard (a click on it too soon after
// the list opened would be ignored, as it is for a double click).
void choose(QDialog& d, int row, const QString& text) {
    clickCell(d, row, "ゲームのチーム");
    QPointer<QComboBox> box = editor<QComboBox>(d, "target");
    if (!box) qFatal("no list of teams for row %d", row);
    QTRY_VERIFY(box && box->view()->isVisible());
    const int index = box->findText(text);
    if (index < 0) qFatal("no choice %s", qPrintable(text));
    box->view()->setCurrentIndex(box->view()->model()->index(index, 0));
    QTest::keyClick(box->view(), Qt::Key_Return);
    QTRY_VERIFY(!box || !box->isVisible());
}

// Types a new team's name into its cell and leaves it with Return.
void rename(QDialog& d, int row, const QString& text) {
    clickCell(d, row, "追加する名前");
    QPointer<QLineEdit> field = editor<QLineEdit>(d, "newName");
    if (!field) qFatal("no name field for row %d", row);
    retype(field, text);
    QTest::keyClick(field, Qt::Key_Return);
    QTRY_VERIFY(!field || !field->isVisible());
}
}  // namespace

class ResultsImportDialogTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setTodayTextForTesting(kToday); }
    void mappingATeamByHand();
    void knockoutGoalsRecomputeAndKeepTheMapping();
    void cancelChangesNothing();
    void refusedPlanKeepsTheDialogOpen();
    void longNamesKeepTheDialogOnTheScreen();
    void badFiles_data();
    void badFiles();
    void guessesAreListed();
    void fourThousandTeams();
    void everyProblemIsWordedInJapanese();

private:
    QString write(const char* name, const QByteArray& bytes) {
        QFile file(dir_.filePath(QString::fromLatin1(name)));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) qFatal("cannot write %s", name);
        return file.fileName();
    }
    QTemporaryDir dir_;
};

void ResultsImportDialogTest::mappingATeamByHand() {
    Game game = smallGame();
    const QString list = write("small.csv", kSmallList);
    DialogScript script;
    script.openFile(list).dialog([](QDialog& d) {
        QCOMPARE(d.windowTitle(), kCaption);
        QCOMPARE(child<QLabel>(d, "source")->text(), "small.csv");
        QCOMPARE(child<QLabel>(d, "matches")->text(), "試合: 消化 2、未消化 1");
        QVERIFY(child<QLabel>(d, "teamsSummary")->text().contains("うち新しく追加 1）、リストにないゲームのチーム 1"));
        // The club is not in the table: it would be added under its list name.
        QCOMPARE(target(d, 0), "日本");
        QCOMPARE(target(d, 1), "新しいチームとして追加");
        QCOMPARE(newName(d, 1), "Urawa Reds");
        QCOMPARE(newName(d, 0), "");  // a team of the game keeps its name
        QCOMPARE(target(d, 2), "アメリカ");
        QCOMPARE(cell(d, 1, "勝"), "0");  // a new team: its values alone
        QCOMPARE(cell(d, 1, "負"), "1");
        QCOMPARE(cell(d, 0, "勝"), "1");  // unchanged
        QCOMPARE(cell(d, 0, "分"), "0 → 1");
        QCOMPARE(cell(d, 0, "グループ"), "－ → A");
        QVERIFY(bold(d, 0, "分") && !bold(d, 0, "勝") && !bold(d, 1, "負"));

        choose(d, 1, "浦和レッズ");
        QCOMPARE(newName(d, 1), "");
        QCOMPARE(cell(d, 1, "勝"), "1 → 0");
        QCOMPARE(cell(d, 1, "負"), "0 → 1");
        QCOMPARE(cell(d, 1, "得失"), "0 → -1");
        QVERIFY(child<QLabel>(d, "teamsSummary")->text().contains("うち新しく追加 0）、リストにないゲームのチーム 0"));
        click(d, "ok");
    });
    QVERIFY(ui::importResultsByDialog(game, script, std::nullopt, "/games"));
    QVERIFY(script.finished());
    QCOMPARE(script.openRequests, QStringList{"試合結果 (*.json *.csv)"});
    QCOMPARE(script.openFolders, QStringList{"/games"});
    QVERIFY(script.messages.empty());
    QCOMPARE(game.teamCount(), 3);
    QCOMPARE(teamLine(game.teamAt(0)), "日本 w1 d1 l0 gd1 tw0 q0 out0 [A] 26/06/05");
    QCOMPARE(teamLine(game.teamAt(1)), "アメリカ w0 d1 l0 gd0 tw0 q0 out0 [A] 26/06/05");
    QCOMPARE(teamLine(game.teamAt(2)), "浦和レッズ w0 d0 l1 gd-1 tw0 q0 out0 [A] 26/06/01");
    QCOMPARE(game.settings.date, kToday);
    QVERIFY(game.members() == smallGame().members());
}

// The example's own list changes nothing until the box counts the knockout
// goals; a team mapped by hand stays mapped through the recomputing.
void ResultsImportDialogTest::knockoutGoalsRecomputeAndKeepTheMapping() {
    Game game = exampleGame();
    const int brazil = game.findTeamByName(sj("ブラジル"));
    const int germany = game.findTeamByName(sj("ドイツ"));
    DialogScript script;
    script.dialog([](QDialog& d) {
        QCOMPARE(child<QLabel>(d, "source")->text(), "worldcup2002.json（World Cup 2002）");
        QCOMPARE(child<QLabel>(d, "matches")->text(), "試合: 消化 64、未消化 0");
        QAbstractItemModel* model = rows(d)->model();
        QCOMPARE(model->rowCount(), 32);
        QVERIFY(!child<QListWidget>(d, "problems")->isVisibleTo(&d));
        int brazilRow = -1, franceRow = -1;
        for (int r = 0; r < model->rowCount(); ++r) {
            if (model->index(r, 0).data().toString() == "Brazil") brazilRow = r;
            if (model->index(r, 0).data().toString() == "France") franceRow = r;
            for (int c = 3; c < model->columnCount(); ++c)
                QVERIFY2(!model->index(r, c).data().toString().contains("→"),
                         qPrintable(model->index(r, c).data().toString()));
        }
        QCOMPARE(cell(d, brazilRow, "得失"), "8");
        QCOMPARE(cell(d, brazilRow, "T勝"), "4");
        choose(d, franceRow, "新しいチームとして追加");
        rename(d, franceRow, "フランス代表");

        child<QCheckBox>(d, "knockoutGoals")->click();
        QCOMPARE(cell(d, brazilRow, "得失"), "8 → 14");
        QCOMPARE(target(d, franceRow), "新しいチームとして追加");
        QCOMPARE(newName(d, franceRow), "フランス代表");
        child<QCheckBox>(d, "knockoutGoals")->click();
        QCOMPARE(cell(d, brazilRow, "得失"), "8");
        child<QCheckBox>(d, "knockoutGoals")->click();
        click(d, "ok");
    });
    QVERIFY(ui::importResultsByDialog(game, script, SOURCE_ROOT "/tests/fixtures/openfootball/worldcup2002.json"));
    QVERIFY(script.finished());
    QVERIFY(script.openRequests.isEmpty());
    QCOMPARE(game.teamAt(brazil).goalDiff, 14);
    QCOMPARE(game.teamAt(brazil).tournamentWins, 4);
    QCOMPARE(game.teamAt(germany).goalDiff, 10 + 1);  // 1-0, 1-0, 1-0, 0-2 after the groups
    QCOMPARE(game.teamCount(), 33);
    QCOMPARE(teamLine(game.teamAt(32)), "フランス代表 w0 d1 l2 gd-3 tw0 q0 out1 [A] 02/06/14");
}

void ResultsImportDialogTest::cancelChangesNothing() {
    Game game = smallGame();
    const Game before = game;
    const std::string list = QFile::encodeName(write("cancel.csv", kSmallList)).toStdString();
    DialogScript script;
    script.dialog([](QDialog& d) {
        choose(d, 1, "浦和レッズ");
        child<QCheckBox>(d, "knockoutGoals")->click();
        click(d, "cancel");
    });
    QVERIFY(!ui::importResultsByDialog(game, script, list));
    // No file chosen: no dialog either.
    script.openFile(std::nullopt);
    QVERIFY(!ui::importResultsByDialog(game, script));
    QVERIFY(script.finished());
    QVERIFY(script.messages.empty());
    QVERIFY(sameGame(game, before));
}

// What the core refuses is told with the team's name, and the dialog stays
// open on its row until the plan can be applied.
void ResultsImportDialogTest::refusedPlanKeepsTheDialogOpen() {
    Game game = smallGame();
    const QString list = write("refused.csv", kSmallList);
    DialogScript script;
    script.openFile(list).dialog([&script](QDialog& d) {
        QTableView* view = rows(d);
        choose(d, 2, "日本");  // USA onto Japan's team
        click(d, "ok");
        QVERIFY(d.isVisible());
        QCOMPARE(script.messages.size(), size_t(1));
        QCOMPARE(script.messages[0].icon, ui::Interaction::Icon::Warning);
        QCOMPARE(script.messages[0].caption, kCaption);
        QVERIFY2(script.messages[0].text.startsWith("「USA」は取り込めません。\n"), qPrintable(script.messages[0].text));
        QVERIFY(script.messages[0].text.contains("日本"));
        QCOMPARE(view->currentIndex().row(), 2);
        QVERIFY(editor<QComboBox>(d, "target"));  // open on the team to change

        choose(d, 2, "アメリカ");
        rename(d, 1, "日本");  // a new team named like a team of the game
        click(d, "ok");
        QVERIFY(d.isVisible());
        QCOMPARE(script.messages.size(), size_t(2));
        QVERIFY2(script.messages[1].text.startsWith("「Urawa Reds」は取り込めません。\n"),
                 qPrintable(script.messages[1].text));
        QCOMPARE(view->currentIndex().row(), 1);
        auto* field = editor<QLineEdit>(d, "newName");  // open on the name to change
        QVERIFY(field);

        retype(field, "浦和");
        click(d, "ok");  // with the field still open
        QVERIFY(!d.isVisible());
    });
    QVERIFY(ui::importResultsByDialog(game, script));
    QVERIFY(script.finished());
    QCOMPARE(game.teamCount(), 4);
    QCOMPARE(teamLine(game.teamAt(3)), "浦和 w0 d0 l1 gd-1 tw0 q0 out0 [A] 26/06/01");
}

// A list may bring names of any length, and a team name may be as long as
// its field: the name columns stop at a width that leaves the dialog on a
// small screen, and the cell is cut, not the dialog.
void ResultsImportDialogTest::longNamesKeepTheDialogOnTheScreen() {
    Game game = smallGame();
    std::string longName;
    for (int i = 0; i < 63; ++i) longName += "あ";
    game.teamAt(1).name = sj(longName.c_str());
    const QByteArray list = "team1,team2,score1,score2,group\n" + QByteArray(500, 'W') + ",Japan,1,0,A\n" +
                            QByteArray("Japan,") + QByteArray(300, 'G') + ",1,0," + QByteArray(400, 'Z') + "\n";
    DialogScript script;
    script.openFile(write("long.csv", list)).dialog([](QDialog& d) {
        QVERIFY2(d.sizeHint().width() <= 1280, qPrintable(QString::number(d.sizeHint().width())));
        QCOMPARE(cell(d, 0, "リストのチーム").size(), 500);
    });
    QVERIFY(!ui::importResultsByDialog(game, script));
    QVERIFY(script.finished());
}

void ResultsImportDialogTest::badFiles_data() {
    QTest::addColumn<QByteArray>("bytes");  // null: no such file; "/": a folder
    QTest::addColumn<bool>("warning");
    QTest::addColumn<QString>("message");  // after the file's name and a line break
    QTest::newRow("missing") << QByteArray() << true << "No such file or directory";
    QTest::newRow("folder") << QByteArray("/") << true << "";
    QTest::newRow("a letter") << QByteArray("Dear all,\nsee you.\n") << true
                              << "試合結果のリストとして読めません。\nJSONの試合リストでも、1行目で team1";
    QTest::newRow("broken JSON") << QByteArray("{\"matches\": [oops") << true
                                 << "試合結果のリストとして読めません。\n1行目: JSONとして読めません。";
    QTest::newRow("a score that is no number")
        << QByteArray("team1,team2,score1,score2,group\nA,B,1,0,A\nA,C,x,1,A\n") << true
        << "試合結果のリストとして読めません。\n3行目: score1の「x」が数ではありません。";
    QTest::newRow("no team yet") << QByteArray("team1,team2,score1,score2\nW49,W50,,\n") << false
                                 << "このリストには、まだ取り込めるチームがありません。";
    QTest::newRow("only names taken for slots")
        << QByteArray("round,team1,team2,score1,score2\nR1,Kobe FC,Sendai FC,,\n") << false
        << "このリストには、まだ取り込めるチームがありません。\nチーム「Kobe FC」: ゲームのチームにも";
}

// A file that brings no import is a message naming it; no preview opens and
// the game stays as it was.
void ResultsImportDialogTest::badFiles() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, warning);
    QFETCH(QString, message);
    QString path = dir_.filePath("bad.csv");
    if (bytes == "/")
        path = dir_.path();
    else if (!bytes.isNull())
        path = write("bad.csv", bytes);
    else
        QFile::remove(path);
    Game game = smallGame();
    const Game before = game;
    DialogScript script;
    script.openFile(path);
    QVERIFY(!ui::importResultsByDialog(game, script));
    QVERIFY(script.finished());
    QCOMPARE(script.messages.size(), size_t(1));
    QCOMPARE(script.messages[0].icon, warning ? ui::Interaction::Icon::Warning : ui::Interaction::Icon::Information);
    QCOMPARE(script.messages[0].caption, kCaption);
    QVERIFY2(script.messages[0].text.startsWith(path + "\n" + message), qPrintable(script.messages[0].text));
    QVERIFY(sameGame(game, before));
}

// What the reading took on trust is listed above the teams; OK still
// imports what the list says.
void ResultsImportDialogTest::guessesAreListed() {
    Game game = smallGame();
    const QByteArray list =
        "date,group,team1,team2,score1,score2\n"
        "2026-06-01,A,Japan,Urawa Reds,2,1\n"
        "2026-06-03,,USA,Japan,0,0\n"
        "2026-06-05,A,Urawa Reds,USA,,\n"
        "2026-06-20,,Japan,Vainqueur B,,\n";
    DialogScript script;
    script.openFile(write("guesses.csv", list)).dialog([](QDialog& d) {
        auto* problems = child<QListWidget>(d, "problems");
        QVERIFY(problems->isVisibleTo(&d));
        QCOMPARE(problems->count(), 2);
        QVERIFY2(problems->item(0)->text().startsWith("3行目: グループがありませんが、日付順でその前にも後にも"),
                 qPrintable(problems->item(0)->text()));
        QVERIFY2(problems->item(1)->text().startsWith("チーム「Vainqueur B」: "), qPrintable(problems->item(1)->text()));
        QCOMPARE(rows(d)->model()->rowCount(), 3);  // no row for the slot
        click(d, "ok");
    });
    QVERIFY(ui::importResultsByDialog(game, script));
    QVERIFY(script.finished());
    QCOMPARE(teamLine(game.teamAt(0)), "日本 w1 d1 l0 gd1 tw0 q1 out0 [A] 26/06/03");
    QCOMPARE(teamLine(game.teamAt(1)), "アメリカ w0 d1 l0 gd0 tw0 q0 out0 [A] 26/06/03");
}

// A list of four thousand teams into a game of as many: every row is there,
// the last one can be mapped by hand, and OK applies the plan.
void ResultsImportDialogTest::fourThousandTeams() {
    constexpr int kTeams = 4000;
    Game game;
    game.settings.name = "league";
    for (int i = 0; i < kTeams; ++i) {
        Team team;
        team.name = sj(("チーム" + std::to_string(i)).c_str());
        game.addTeam(team);
    }
    // The game's names, but for one club of the last pair.
    QByteArray list = "group,team1,team2,score1,score2\n";
    for (int i = 0; i < kTeams; i += 2)
        list += "G," + (i == kTeams - 2 ? QByteArray("Club 99") : "チーム" + QByteArray::number(i)) + ",チーム" +
                QByteArray::number(i + 1) + ",1,0\n";
    DialogScript script;
    script.openFile(write("league.csv", list)).dialog([](QDialog& d) {
        QAbstractItemModel* model = rows(d)->model();
        QCOMPARE(model->rowCount(), kTeams);
        QCOMPARE(cell(d, kTeams - 2, "リストのチーム"), "Club 99");
        QCOMPARE(target(d, kTeams - 2), "新しいチームとして追加");
        choose(d, kTeams - 2, "チーム3998");
        QCOMPARE(target(d, kTeams - 2), "チーム3998");
        QCOMPARE(cell(d, kTeams - 2, "勝"), "0 → 1");
        click(d, "ok");
    });
    QVERIFY(ui::importResultsByDialog(game, script));
    QVERIFY(script.finished());
    QCOMPARE(game.teamCount(), kTeams);
    QCOMPARE(game.teamAt(3998).wins, 1);
    QCOMPARE(game.teamAt(3999).losses, 1);
}

// A kind added without its words would show an empty or English message;
// the names a list's columns and keys go by stay as the file writes them.
void ResultsImportDialogTest::everyProblemIsWordedInJapanese() {
    using imports::ImportError;
    for (const ImportError::Place place : {ImportError::Place::Line, ImportError::Place::Match}) {
        for (int k = 0; k <= static_cast<int>(ImportError::Kind::newNameTwice); ++k) {
            const ImportError error(static_cast<ImportError::Kind>(k), place, 3, {}, {"名前", "日本", "9"});
            QString text = ui::importErrorText(error);
            QVERIFY2(text.startsWith(place == ImportError::Place::Line ? "3行目: " : "3試合目: "), qPrintable(text));
            QVERIFY2(ui::importErrorReason(error).size() > 4, qPrintable(text));
            for (const char* name : {"JSON", "CSV", "PK", "YYYY", "MM", "DD", "Shift", "JIS", "team1", "team2",
                                     "score1", "score2", "score", "winner", "matches"})
                text.remove(QLatin1String(name));
            QVERIFY2(!text.contains(QRegularExpression("[A-Za-z]{2,}")), qPrintable(text));
        }
    }
    // A CSV's syntax says the column too; a name keeps a NUL or a line break visible.
    QCOMPARE(ui::importErrorText(ImportError({text::InputProblem::Kind::unclosedQuote, 4, 2, {}, 0})),
             "4行目2列目: 引用符（\"）で始まる欄が閉じていません。");
    QCOMPARE(ui::importErrorText(ImportError::team(std::string("A\0B\n", 4), ImportError::Kind::takenForSlot))
                 .section(':', 0, 0),
             "チーム「A\\x00B\\n」");
}

QTEST_MAIN(ResultsImportDialogTest)
#include "results_import_dialog_test.moc"
