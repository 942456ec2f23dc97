#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QListWidget>
#include <QTreeWidget>
#include <QtTest>

#include "tests/dialogs/dialog_script.h"
#include "ui/dialogs/member_edit_dialog.h"
#include "ui/dialogs/member_info_dialog.h"
#include "ui/dialogs/edit_commands.h"
#include "model/today_text.h"
#include "text/sjis_codec.h"

using namespace scorvale;
using namespace scorvale::testing;
using scorvale::ui::MemberEditDialog;
using scorvale::ui::MemberInfoDialog;

namespace {
// Teams T10, T4, T0 worth 10, 4 and 0 (points plus bonus), as the last scoring left them.
Game gameWithWorths(int rate, int maxBet) {
    Game game;
    game.settings.rate = rate;
    game.settings.maxBet = maxBet;
    for (const auto& [name, points, bonus] : {std::tuple{"T10", 7, 3}, std::tuple{"T4", 4, 0}, std::tuple{"T0", 0, 0}}) {
        Team team;
        team.name = name;
        team.points = points;
        team.bonus = bonus;
        game.addTeam(team);
    }
    return game;
}

Member memberVoting(const char* name, std::initializer_list<const char*> votes) {
    Member member;
    member.name = name;
    for (const char* v : votes) member.appendVote(v);
    return member;
}

// Every row as "cell|cell|cell".
QStringList rowsOf(QTreeWidget* tree) {
    QStringList rows;
    for (int r = 0; r < tree->topLevelItemCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < tree->columnCount(); ++c) cells << tree->topLevelItem(r)->text(c);
        rows << cells.join(u'|');
    }
    return rows;
}

QStringList votesOf(const Member& member) {
    QStringList votes;
    for (const std::string_view v : member.votes()) votes << QString::fromLatin1(v.data(), static_cast<qsizetype>(v.size()));
    return votes;
}

void mouseDoubleClickRow(QAbstractItemView* view, int row, Qt::MouseButton button) {
    const QRect rect = view->visualRect(view->model()->index(row, 0));
    QTest::mouseDClick(view->viewport(), button, Qt::NoModifier, rect.center());
}

void mouseClickAt(QAbstractItemView* view, int row) {
    const QPoint at = row >= 0 ? view->visualRect(view->model()->index(row, 0)).center()
                               : QPoint(5, view->viewport()->height() - 3);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}
}  // namespace

class MemberDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setTodayTextForTesting("04/08/16"); }
    void infoRows_data();
    void infoRows();
    void infoColumnsFitTheirValues_data();
    void infoColumnsFitTheirValues();
    void editThenCancelKeepsTheEdit();
    void expelAsksUnderTheShownName();
    void editorPointsLabels_data();
    void editorPointsLabels();
    void doubleClickAddsOnce();
    void moveGestures();
    void removeButton();
    void sixtyFifthVoteRefused();
    void addMemberFlows();
    void editorButtonsAndKeys();
    void candidateFilterAndGroups();
    void infoDialogKeys();
};

void MemberDialogsTest::infoRows_data() {
    QTest::addColumn<int>("rate");
    QTest::addColumn<QStringList>("votes");
    QTest::addColumn<QStringList>("rows");
    const QStringList three{"T10", "T4", "T0"};
    QTest::newRow("none") << 1 << QStringList() << QStringList{"合計||0"};
    QTest::newRow("normal") << 1 << three << QStringList{"T10|3pt|30", "T4|2pt|8", "T0|1pt|0", "合計||38"};
    QTest::newRow("cubed") << 3 << three
                           << QStringList{"T10|27pt|27000", "T4|8pt|512", "T0|1pt|0", "合計||27512"};
    QTest::newRow("beyond maxBet and missing")
        << 2 << QStringList{"T4", "gone", "T0", "T10", "nope"}
        << QStringList{"T4|9pt|144", "gone|?|", "T0|1pt|0", "T10||", "nope|?|", "合計||144"};
}

void MemberDialogsTest::infoRows() {
    QFETCH(int, rate);
    QFETCH(QStringList, votes);
    QFETCH(QStringList, rows);
    Game game = gameWithWorths(rate, 3);
    Member member;
    member.name = "ABC";
    for (const QString& v : votes) member.appendVote(v.toStdString());
    game.addMember(member);
    DialogScript script;
    MemberInfoDialog dialog("ABC", game, 0, script);
    QCOMPARE(rowsOf(child<QTreeWidget>(dialog, "rows")), rows);
}

void MemberDialogsTest::infoColumnsFitTheirValues_data() {
    QTest::addColumn<int>("maxBet");
    QTest::addColumn<QList<int>>("worths");
    QTest::newRow("usual values stay narrow") << 3 << QList<int>{10, 4};
    QTest::newRow("nine digits") << 1 << QList<int>{635266908};
    QTest::newRow("total widest") << 2 << QList<int>{-600000000, -500000000};
    QTest::newRow("points of a big maxBet") << 2000 << QList<int>{1};
}

// The 配点 and 得点 columns are narrow, but never cut a value: every cell
// fits, 合計 too, whatever the dialog's width.
void MemberDialogsTest::infoColumnsFitTheirValues() {
    QFETCH(int, maxBet);
    QFETCH(QList<int>, worths);
    Game game;
    game.settings.maxBet = maxBet;
    game.settings.rate = maxBet > 100 ? 3 : 1;  // cubed: points that wrap
    Member member;
    member.name = "M";
    for (int i = 0; i < worths.size(); ++i) {
        Team team;
        team.name = "T" + std::to_string(i);
        team.points = worths[i];
        game.addTeam(team);
        member.appendVote(team.name.view());
    }
    game.addMember(member);
    DialogScript script;
    MemberInfoDialog dialog("M", game, 0, script);
    dialog.show();
    auto* rows = child<QTreeWidget>(dialog, "rows");
    const int margin = 2 * (rows->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, rows) + 1);
    for (const int width : {dialog.width(), dialog.width() + 300}) {
        dialog.resize(width, dialog.height());
        QCoreApplication::processEvents();
        for (const int column : {1, 2}) {
            QVERIFY(rows->columnWidth(column) >= 70);
            for (int r = 0; r < rows->topLevelItemCount(); ++r) {
                const QString text = rows->topLevelItem(r)->text(column);
                QVERIFY2(rows->fontMetrics().horizontalAdvance(text) + margin <= rows->columnWidth(column),
                         qPrintable(text));
            }
        }
    }
    if (maxBet == 3) QCOMPARE(rows->columnWidth(2), 70);
}

void MemberDialogsTest::editThenCancelKeepsTheEdit() {
    Game game = gameWithWorths(1, 3);
    game.addMember(memberVoting("ABC", {"T4"}));
    game.addMember(memberVoting("XYZ", {}));
    DialogScript script;
    script.dialog([&script](QDialog& info) {
        script.dialog([](QDialog& editor) {
            retype(child<QLineEdit>(editor, "name"), QStringLiteral("DEF"));
            retype(child<QLineEdit>(editor, "image"), QStringLiteral("d.png"));
            static_cast<MemberEditDialog&>(editor).addCandidate(0);
            click(editor, "ok");
        });
        click(info, "edit");
        QCOMPARE(child<QLineEdit>(info, "name")->text(), QStringLiteral("DEF"));
        QCOMPARE(rowsOf(child<QTreeWidget>(info, "rows")), (QStringList{"T4|3pt|12", "T10|2pt|20", "合計||32"}));
        click(info, "cancel");
    });
    ui::showMemberByDialog(game, script, 0);
    const Member& m = game.memberAt(0);
    QCOMPARE(m.name.str(), std::string("DEF"));
    QCOMPARE(m.symbol.str(), std::string("d.png"));
    QCOMPARE(m.date.str(), std::string("04/08/16"));
    QCOMPARE(votesOf(m), (QStringList{"T4", "T10"}));
    QCOMPARE(game.memberAt(1).name.str(), std::string("XYZ"));
    QVERIFY(script.finished());
}

void MemberDialogsTest::expelAsksUnderTheShownName() {
    Game game = gameWithWorths(1, 3);
    game.addMember(memberVoting("ABC", {"T4"}));
    DialogScript script;
    script.dialog([](QDialog& d) { click(d, "expel"); }).yesNo(false);
    ui::showMemberByDialog(game, script, 0);
    QCOMPARE(game.memberCount(), 1);
    QCOMPARE(script.questions.at(0).caption, QStringLiteral("ABCの除名"));
    QCOMPARE(script.questions.at(0).text, QStringLiteral("本当に除名しますか？"));
    script.dialog([](QDialog& d) { click(d, "expel"); }).yesNo(true);
    ui::showMemberByDialog(game, script, 0);
    QCOMPARE(game.memberCount(), 0);
    QVERIFY(script.finished());
}

void MemberDialogsTest::editorPointsLabels_data() {
    QTest::addColumn<int>("rate");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("normal") << 1 << QStringList{"T0|3pt", "gone|", "T10|1pt", "T4|"};
    QTest::newRow("squared") << 2 << QStringList{"T0|9pt", "gone|", "T10|1pt", "T4|"};
}

void MemberDialogsTest::editorPointsLabels() {
    QFETCH(int, rate);
    QFETCH(QStringList, rows);
    const Game game = gameWithWorths(rate, 3);
    DialogScript script;
    MemberEditDialog dialog(memberVoting("A", {"T0", "gone", "T10", "T4"}), "A", game, script);
    QCOMPARE(rowsOf(child<QTreeWidget>(dialog, "votes")), rows);
    QCOMPARE(child<QLabel>(dialog, "maxBetLabel")->text(), QStringLiteral("最大投票数 3チーム"));
}

void MemberDialogsTest::doubleClickAddsOnce() {
    const Game game = gameWithWorths(1, 3);
    DialogScript script;
    MemberEditDialog dialog(Member{}, "", game, script);
    dialog.show();
    auto* candidates = child<QListWidget>(dialog, "candidates");
    mouseDoubleClickRow(candidates, 1, Qt::LeftButton);
    mouseDoubleClickRow(candidates, 1, Qt::LeftButton);
    mouseDoubleClickRow(candidates, 2, Qt::LeftButton);
    QTest::mouseClick(candidates->viewport(), Qt::LeftButton, Qt::NoModifier, candidates->visualRect(candidates->model()->index(0, 0)).center());
    QCOMPARE(votesOf(dialog.member()), (QStringList{"T4", "T0"}));
    QCOMPARE(rowsOf(child<QTreeWidget>(dialog, "votes")), (QStringList{"T4|3pt", "T0|2pt"}));
}

void MemberDialogsTest::moveGestures() {
    const Game game = gameWithWorths(1, 3);
    DialogScript script;
    MemberEditDialog dialog(memberVoting("A", {"a", "b", "c"}), "A", game, script);
    dialog.show();
    auto* votes = child<QTreeWidget>(dialog, "votes");
    struct Step {
        int row;
        Qt::MouseButton button;
        QStringList after;
    };
    const Step steps[] = {
        {0, Qt::LeftButton, {"a", "b", "c"}},   // first: nothing
        {1, Qt::LeftButton, {"b", "a", "c"}},   // up
        {2, Qt::RightButton, {"b", "a", "c"}},  // last, down: nothing
        {0, Qt::RightButton, {"a", "b", "c"}},  // down
        {2, Qt::LeftButton, {"a", "c", "b"}},
    };
    for (const Step& step : steps) {
        mouseDoubleClickRow(votes, step.row, step.button);
        QCOMPARE(votesOf(dialog.member()), step.after);
    }
    QCOMPARE(votes->topLevelItem(2)->text(0), QStringLiteral("b"));
}

void MemberDialogsTest::removeButton() {
    const Game game = gameWithWorths(1, 3);
    DialogScript script;
    MemberEditDialog dialog(memberVoting("A", {"a", "b", "c", "d"}), "A", game, script);
    dialog.show();
    auto* votes = child<QTreeWidget>(dialog, "votes");
    click(dialog, "remove");  // nothing selected
    QCOMPARE(votesOf(dialog.member()), (QStringList{"a", "b", "c", "d"}));
    mouseClickAt(votes, 1);
    QCOMPARE(dialog.selectedVote(), 1);
    click(dialog, "remove");
    QCOMPARE(votesOf(dialog.member()), (QStringList{"a", "c", "d"}));
    click(dialog, "remove");  // the selection stays: the vote that moved up goes
    QCOMPARE(votesOf(dialog.member()), (QStringList{"a", "d"}));
    click(dialog, "remove");  // beyond the end: the new last goes
    QCOMPARE(votesOf(dialog.member()), (QStringList{"a"}));
    mouseClickAt(votes, -1);
    QCOMPARE(dialog.selectedVote(), -1);
    click(dialog, "remove");
    QCOMPARE(votesOf(dialog.member()), (QStringList{"a"}));
}

void MemberDialogsTest::sixtyFifthVoteRefused() {
    Game game;
    for (int i = 0; i < 65; ++i) {
        Team team;
        team.name = "T" + std::to_string(i);
        game.addTeam(team);
    }
    DialogScript script;
    MemberEditDialog dialog(Member{}, "", game, script);
    for (int i = 0; i < 64; ++i) dialog.addCandidate(i);
    QVERIFY(script.messages.empty());
    dialog.addCandidate(64);
    QCOMPARE(dialog.member().voteCount(), Member::kMaxVotes);
    QCOMPARE(script.messages.size(), std::size_t{1});
    QCOMPARE(script.messages[0].text, QStringLiteral("投票できるのは 64 チームまでです。"));
    QCOMPARE(child<QTreeWidget>(dialog, "votes")->topLevelItemCount(), 64);
}

void MemberDialogsTest::addMemberFlows() {
    Game game = gameWithWorths(1, 3);
    DialogScript script;
    script.dialog([](QDialog& d) {
        static_cast<MemberEditDialog&>(d).addCandidate(0);
        click(d, "ok");  // empty name: dropped silently
    });
    script.dialog([](QDialog& d) {
        retype(child<QLineEdit>(d, "name"), QStringLiteral("山田"));
        click(d, "cancel");
    });
    script.dialog([](QDialog& d) {
        child<QLineEdit>(d, "name")->setText(QStringLiteral("山田\U0001F600"));
        click(d, "ok");
        QVERIFY(d.isVisible());
        retype(child<QLineEdit>(d, "name"), QStringLiteral("山田"));
        static_cast<MemberEditDialog&>(d).addCandidate(0);
        click(d, "ok");
    });
    QVERIFY(!ui::addMemberByDialog(game, script));
    QVERIFY(!ui::addMemberByDialog(game, script));
    QCOMPARE(game.memberCount(), 0);
    QVERIFY(ui::addMemberByDialog(game, script));
    QCOMPARE(game.memberCount(), 1);
    QCOMPARE(script.messages.size(), std::size_t{1});
    QCOMPARE(game.memberAt(0).name.str(), std::string("\x8e\x52\x93\x63"));  // 山田
    QCOMPARE(game.memberAt(0).date.str(), std::string("04/08/16"));
    QCOMPARE(game.settings.date, std::string("04/08/16"));
    QCOMPARE(game.memberAt(0).score, 0);  // scored: the teams' worth comes from their (empty) results
    QCOMPARE(game.memberAt(0).rank, 1);
    QVERIFY(script.finished());
}

// The buttons between the lists and their keys, beside the gestures: each
// step acts as the user would and leaves these votes and this selection.
void MemberDialogsTest::editorButtonsAndKeys() {
    const Game game = gameWithWorths(1, 3);  // T10, T4, T0
    DialogScript script;
    MemberEditDialog dialog(memberVoting("A", {"a", "b"}), "A", game, script);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto* candidates = child<QListWidget>(dialog, "candidates");
    auto* votes = child<QTreeWidget>(dialog, "votes");
    const auto enabled = [&](const char* name) { return child<QPushButton>(dialog, name)->isEnabled(); };
    struct Step {
        const char* what;
        std::function<void()> act;
        QStringList votes;
        int selected;
    };
    const Step steps[] = {
        {"nothing chosen: ← 追加 adds nothing", [&] { click(dialog, "add"); }, {"a", "b"}, -1},
        {"← 追加 appends the chosen team",
         [&] {
             candidates->setCurrentRow(1);
             click(dialog, "add");
         },
         {"a", "b", "T4"}, -1},
        {"Enter in the teams adds, and never twice",
         [&] {
             candidates->setFocus();
             QTest::keyClick(candidates, Qt::Key_Down);
             QTest::keyClick(candidates, Qt::Key_Return);
             QTest::keyClick(candidates, Qt::Key_Enter, Qt::KeypadModifier);
         },
         {"a", "b", "T4", "T0"}, -1},
        {"a click chooses a vote", [&] { mouseClickAt(votes, 3); }, {"a", "b", "T4", "T0"}, 3},
        {"↓ on the last does nothing", [&] { click(dialog, "down"); }, {"a", "b", "T4", "T0"}, 3},
        {"↑ moves it, the choice goes along", [&] { click(dialog, "up"); }, {"a", "b", "T0", "T4"}, 2},
        {"Alt+↑ again",
         [&] { QTest::keyClick(votes, Qt::Key_Up, Qt::AltModifier); },
         {"a", "T0", "b", "T4"}, 1},
        {"Alt+↓ back", [&] { QTest::keyClick(votes, Qt::Key_Down, Qt::AltModifier); }, {"a", "b", "T0", "T4"}, 2},
        {"the arrow keys choose another vote", [&] { QTest::keyClick(votes, Qt::Key_Up); }, {"a", "b", "T0", "T4"}, 1},
        {"Delete removes the chosen vote", [&] { QTest::keyClick(votes, Qt::Key_Delete); }, {"a", "T0", "T4"}, 1},
        {"削除 as before: the vote moved into the place", [&] { click(dialog, "remove"); }, {"a", "T4"}, 1},
        {"the gestures still work beside them",
         [&] { mouseDoubleClickRow(votes, 1, Qt::LeftButton); },
         {"T4", "a"}, 1},
    };
    for (const Step& step : steps) {
        step.act();
        QVERIFY2(dialog.isVisible(), step.what);
        QVERIFY2(votesOf(dialog.member()) == step.votes, step.what);
        QVERIFY2(dialog.selectedVote() == step.selected, step.what);
        const QList<QTreeWidgetItem*> shown = votes->selectedItems();
        const int shownRow = shown.size() == 1 ? votes->indexOfTopLevelItem(shown[0]) : -1;
        QVERIFY2(shown.size() <= 1 && shownRow == step.selected, step.what);
        QVERIFY2(enabled("up") == (step.selected >= 1), step.what);
        QVERIFY2(enabled("down") == (step.selected >= 0 && step.selected < step.votes.size() - 1), step.what);
    }
    QVERIFY(script.messages.empty());
    // Enter elsewhere is still OK.
    QTest::keyClick(child<QLineEdit>(dialog, "name"), Qt::Key_Return);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

// Typing narrows the teams by any of their names; Enter adds the one the
// list shows chosen, never a hidden one. Each team shows its group.
void MemberDialogsTest::candidateFilterAndGroups() {
    Game game;
    for (const auto& [name, group] : {std::pair{"日本", "H"}, {"ブラジル", "C"}, {"ドイツ", "E"}}) {
        Team team;
        team.name = *sjis::fromUtf8(name);
        team.group = group;
        game.addTeam(team);
    }
    DialogScript script;
    MemberEditDialog dialog(Member{}, "", game, script);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto* candidates = child<QListWidget>(dialog, "candidates");
    auto* filter = child<QLineEdit>(dialog, "filter");
    QCOMPARE(candidates->item(1)->toolTip(), QStringLiteral("グループ C"));
    const auto shownRows = [&] {
        QStringList shown;
        for (int r = 0; r < candidates->count(); ++r)
            if (!candidates->item(r)->isHidden()) shown << candidates->item(r)->text();
        return shown;
    };
    for (const QString& typed : {QStringLiteral("ブラ"), QStringLiteral("bra"), QStringLiteral("BRA")}) {
        filter->clear();
        type(filter, typed);
        QCOMPARE(shownRows(), QStringList{QStringLiteral("ブラジル")});
        QCOMPARE(candidates->currentRow(), 1);
    }
    QTest::keyClick(filter, Qt::Key_Return);
    QCOMPARE(votesOf(dialog.member()).size(), 1);
    QCOMPARE(dialog.member().vote(0), std::string_view(*sjis::fromUtf8("ブラジル")));
    // Nothing shown: nothing to add.
    retype(filter, QStringLiteral("xyz"));
    QCOMPARE(shownRows(), QStringList());
    QVERIFY(!child<QPushButton>(dialog, "add")->isEnabled());
    QTest::keyClick(filter, Qt::Key_Return);
    QCOMPARE(dialog.member().voteCount(), 1);
    // Cleared: every team again, the first chosen; ↓ from the filter walks the list.
    filter->clear();
    QCOMPARE(shownRows().size(), 3);
    QCOMPARE(candidates->currentRow(), 0);
    QTest::keyClick(filter, Qt::Key_Down);
    QTest::keyClick(filter, Qt::Key_Down);
    QCOMPARE(candidates->currentRow(), 2);
    QTest::keyClick(filter, Qt::Key_Return);
    QCOMPARE(dialog.member().voteCount(), 2);
    QVERIFY(dialog.isVisible());
}

// F2 opens the editor as 修正 does; Delete asks for the expulsion as 除名.
void MemberDialogsTest::infoDialogKeys() {
    Game game = gameWithWorths(1, 3);
    game.addMember(memberVoting("ABC", {"T4"}));
    DialogScript script;
    script.dialog([&script](QDialog& info) {
        QVERIFY(QTest::qWaitForWindowActive(&info));
        script.dialog([](QDialog& editor) { static_cast<MemberEditDialog&>(editor).addCandidate(0); click(editor, "ok"); });
        QTest::keyClick(&info, Qt::Key_F2);
        QCOMPARE(rowsOf(child<QTreeWidget>(info, "rows")), (QStringList{"T4|3pt|12", "T10|2pt|20", "合計||32"}));
        QTest::keyClick(&info, Qt::Key_Delete);
    });
    script.yesNo(true);
    QVERIFY(ui::showMemberByDialog(game, script, 0));
    QCOMPARE(game.memberCount(), 0);
    QCOMPARE(script.questions.at(0).caption, QStringLiteral("ABCの除名"));
    QVERIFY(script.finished());
}

QTEST_MAIN(MemberDialogsTest)
#include "member_dialogs_test.moc"
