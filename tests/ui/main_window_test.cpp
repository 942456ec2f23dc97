#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QTest>

#include "scoring/ordering.h"
#include "tests/support/scripted_interaction.h"
#include "tests/ui/ui_fixture.h"

using namespace scorvale;
using namespace scorvale::testing;
using Msg = ScriptedInteraction::Message;

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    static QString windowTitleOf(const ui::MainWindow& w) { return w.windowTitle(); }
    static std::vector<bool> adminButtons(const ui::MainWindow& w) {
        return {w.button(2)->isEnabled(), w.button(3)->isEnabled(), w.button(5)->isEnabled()};
    }
    static void clickHeader(QTableView* view, int column) {
        QHeaderView* header = view->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }

private slots:
    void startUpAndFirstSave() {
        ScriptedInteraction user;
        ui::MainWindow w(user);
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("Scorvale"));
        QCOMPARE(w.teamList()->model()->rowCount(), 0);
        QCOMPARE(w.memberList()->model()->rowCount(), 0);
        const QStringList captions = {QStringLiteral("読み込み(&L)"), QStringLiteral("パスワード(&P)"),
                                      QStringLiteral("設定(&R)"), QStringLiteral("チーム追加(&T)"),
                                      QStringLiteral("参加者追加(&M)"), QStringLiteral("HTML出力(&H)"),
                                      QStringLiteral("保存(&S)")};
        for (int i = 0; i < 7; ++i) {
            QCOMPARE(w.button(i)->text(), captions[i]);
            QVERIFY(w.button(i)->isEnabled());
            QVERIFY(w.button(i)->y() > (i == 0 ? 0 : w.button(i - 1)->y()));
        }
        QCOMPARE(w.controller().game().settings.maxBet, 10);
        QVERIFY(w.controller().editingUnlocked());

        QTest::mouseClick(w.button(6), Qt::LeftButton);  // Save, cancelled in the file dialog
        QCOMPARE(w.windowTitle(), QStringLiteral("Scorvale! [Let's bet on the World Cup 2002]"));
        QCOMPARE(user.fileRequests.size(), 1u);
        QVERIFY(user.fileRequests[0].save);
        QCOMPARE(user.fileRequests[0].initialPath, QString());
        QCOMPARE(user.fileRequests[0].filter, QStringLiteral("Svl (*.svl)"));
        QCOMPARE(user.fileRequests[0].defaultSuffix, QStringLiteral("svl"));
        QVERIFY(user.messages.empty());
    }

    void columnsAsShown() {
        ScriptedInteraction user;
        ui::MainWindow w(user);
        const QStringList team = {QStringLiteral("チーム"), QStringLiteral("グループ"), QStringLiteral("順位"),
                                  QStringLiteral("状態"),   QStringLiteral("人気"),     QStringLiteral("消化"),
                                  QStringLiteral("T勝"),    QStringLiteral("勝"),       QStringLiteral("負"),
                                  QStringLiteral("分"),     QStringLiteral("勝点"),     QStringLiteral("得失"),
                                  QStringLiteral("特賞"),   QStringLiteral("最終更新")};
        const int teamWidths[] = {100, 60, 38, 38, 38, 38, 38, 25, 25, 25, 38, 38, 38, 100};
        const QStringList member = {QStringLiteral("参加者"), QStringLiteral("順位"), QStringLiteral("得点"),
                                    QStringLiteral("筆頭候補"), QStringLiteral("最終更新")};
        const int memberWidths[] = {100, 38, 38, 100, 100};
        QCOMPARE(w.teamList()->model()->columnCount(), 14);
        QCOMPARE(w.memberList()->model()->columnCount(), 5);
        for (int c = 0; c < 14; ++c) {
            QCOMPARE(w.teamList()->model()->headerData(c, Qt::Horizontal).toString(), team[c]);
            QCOMPARE(w.teamList()->columnWidth(c), teamWidths[c]);
        }
        for (int c = 0; c < 5; ++c) {
            QCOMPARE(w.memberList()->model()->headerData(c, Qt::Horizontal).toString(), member[c]);
            QCOMPARE(w.memberList()->columnWidth(c), memberWidths[c]);
        }
    }

    void refreshViewCells() {
        ScriptedInteraction user;
        ui::MainWindow w(user);
        Game& game = w.controller().game();
        fillPool(game);
        game.settings.name = "\x83\x65\x83\x58\x83\x67";  // テスト
        w.controller().refreshView();
        QCOMPARE(w.windowTitle(), QStringLiteral("Scorvale! [テスト]"));
        QCOMPARE(w.teamList()->model()->rowCount(), 5);
        QCOMPARE(w.memberList()->model()->rowCount(), 4);
        // Rows follow the collection: Brazil, Japan, France, Senegal, Korea.
        QCOMPARE(cell(w.teamList(), 0, 3), QStringLiteral("T"));
        QCOMPARE(cell(w.teamList(), 1, 0), QStringLiteral("Japan"));
        QCOMPARE(cell(w.teamList(), 2, 3), QStringLiteral("D"));
        QCOMPARE(cell(w.teamList(), 3, 3), QStringLiteral("TD"));
        QCOMPARE(cell(w.teamList(), 2, 11), QStringLiteral("-3"));
        const auto align = w.teamList()->model()->index(2, 11).data(Qt::TextAlignmentRole).value<Qt::Alignment>();
        QVERIFY(align & Qt::AlignRight);
        QVERIFY(w.teamList()->model()->index(2, 0).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignLeft);
        // wins, losses, draws in that order
        QCOMPARE(cell(w.teamList(), 3, 7), QStringLiteral("1"));
        QCOMPARE(cell(w.teamList(), 3, 8), QStringLiteral("1"));
        QCOMPARE(cell(w.teamList(), 3, 9), QStringLiteral("2"));
        QCOMPARE(cell(w.teamList(), 0, 13), QStringLiteral("02/06/30"));
        QCOMPARE(cell(w.memberList(), 0, 3), QStringLiteral("Japan"));
        QCOMPARE(cell(w.memberList(), 3, 3), QString());
        QCOMPARE(cell(w.memberList(), 1, 4), QStringLiteral("02/05/03"));
        QCOMPARE(cell(w.memberList(), 0, 2), QString::number(game.memberAt(0).score));

        // Invalid Shift-JIS shows a replacement but leaves the bytes alone.
        game.teamAt(0).name = "\x82";
        w.controller().refreshView();
        QVERIFY(cell(w.teamList(), 0, 0).contains(QChar(0xFFFD)));
        QCOMPARE(game.teamAt(0).name.str(), std::string("\x82"));
    }

    void emptyTitleAndAdminButtons() {
        ScriptedInteraction user;
        ui::MainWindow w(user);
        Game& game = w.controller().game();
        fillPool(game);
        w.controller().setEditingUnlocked(false);
        w.controller().refreshView();
        QCOMPARE(adminButtons(w), std::vector<bool>({false, false, false}));
        QVERIFY(w.button(4)->isEnabled() && w.button(0)->isEnabled() && w.button(6)->isEnabled());

        // No title: no rows whatever the game holds, and the buttons keep their state.
        game.settings.name.clear();
        w.controller().setEditingUnlocked(true);
        w.controller().refreshView();
        QCOMPARE(w.windowTitle(), QStringLiteral("Scorvale! !!! No Game Data !!!"));
        QVERIFY(!w.controller().hasGame());
        QCOMPARE(w.teamList()->model()->rowCount(), 0);
        QCOMPARE(w.memberList()->model()->rowCount(), 0);
        QCOMPARE(adminButtons(w), std::vector<bool>({false, false, false}));

        game.settings.name = "x";
        w.controller().refreshView();
        QCOMPARE(adminButtons(w), std::vector<bool>({true, true, true}));
    }

    void headerClicksOrderTheCollections() {
        const int teamKeys[] = {0, 13, 1, 0, 2, 9, 4, 5, 6, 7, 3, 8, 10, 11};
        const int memberKeys[] = {0, 1, 3, 12, 11};
        ScriptedInteraction user;
        ui::MainWindow w(user);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        Game& game = w.controller().game();
        for (int c = 0; c < 14; ++c) {
            fillPool(game);
            w.controller().refreshView();
            Game expected = game;
            sortTeams(expected, teamKeys[c]);
            clickHeader(w.teamList(), c);
            QCOMPARE(teamNames(game), teamNames(expected));
            clickHeader(w.teamList(), c);
            QCOMPARE(teamNames(game), teamNames(expected));
            QCOMPARE(cell(w.teamList(), 0, 0), QString::fromStdString(teamNames(expected)[0]));
        }
        for (int c = 0; c < 5; ++c) {
            fillPool(game);
            w.controller().refreshView();
            Game expected = game;
            sortMembers(expected, memberKeys[c]);
            clickHeader(w.memberList(), c);
            QCOMPARE(memberNames(game), memberNames(expected));
            clickHeader(w.memberList(), c);
            QCOMPARE(memberNames(game), memberNames(expected));
        }
        // A click on one list leaves the other's order.
        fillPool(game);
        w.controller().refreshView();
        const auto members = memberNames(game);
        clickHeader(w.teamList(), 10);
        QCOMPARE(memberNames(game), members);
    }

    void doubleClickEndsInRankOrder() {
        ScriptedInteraction user;
        ui::MainWindow w(user);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        Game& game = w.controller().game();
        fillPool(game);
        w.controller().refreshView();
        w.controller().teamHeaderClicked(0);
        w.controller().memberHeaderClicked(0);
        Game expected = game;
        sortTeams(expected, 1);
        sortMembers(expected, 1);
        QVERIFY(teamNames(game) != teamNames(expected));

        // A row outside the collection does nothing.
        w.controller().editTeam(5);
        w.controller().editMember(-1);
        QVERIFY(teamNames(game) != teamNames(expected));

        QTableView* list = w.teamList();
        const QPoint row1 = list->visualRect(list->model()->index(1, 0)).center();
        // A real double click: press and release, then the double-click event.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row1);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row1);
        QCOMPARE(teamNames(game), teamNames(expected));
        QCOMPARE(memberNames(game), memberNames(expected));
    }

    // The member editor gives the right double click a meaning of its own;
    // in the window only the left one opens a row.
    void onlyLeftDoubleClickOpens_data() {
        QTest::addColumn<bool>("teams");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QString>("opened");  // empty: nothing
        const QString team = QStringLiteral("チーム編集");
        const QString member = QStringLiteral("参加者情報");
        QTest::newRow("team left") << true << Qt::LeftButton << team;
        QTest::newRow("team right") << true << Qt::RightButton << QString();
        QTest::newRow("team middle") << true << Qt::MiddleButton << QString();
        QTest::newRow("member left") << false << Qt::LeftButton << member;
        QTest::newRow("member right") << false << Qt::RightButton << QString();
        QTest::newRow("member middle") << false << Qt::MiddleButton << QString();
    }
    void onlyLeftDoubleClickOpens() {
        QFETCH(bool, teams);
        QFETCH(Qt::MouseButton, button);
        QFETCH(QString, opened);
        ScriptedInteraction user;
        ui::MainWindow w(user);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        fillPool(w.controller().game());
        w.controller().refreshView();
        QTableView* list = teams ? w.teamList() : w.memberList();
        const QPoint row1 = list->visualRect(list->model()->index(1, 0)).center();
        QTest::mouseClick(list->viewport(), button, {}, row1);
        QTest::mouseDClick(list->viewport(), button, {}, row1);
        QCOMPARE(user.dialogTitles, opened.isEmpty() ? std::vector<QString>() : std::vector<QString>({opened}));
    }

    // Every one-line field of every dialog the window opens, the password
    // fields too, turns a pasted or filled line break into a space.
    void everyDialogFieldIsOneLine() {
        ScriptedInteraction user;
        ui::MainWindow w(user);
        Game& game = w.controller().game();
        fillPool(game);
        game.memberAt(0).name = "p\nq";
        w.controller().refreshView();
        int fields = 0;
        QStringList kept;  // fields that hold a line break
        const auto check = [&](QDialog& dialog) {
            for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
                ++fields;
                if (edit->isEnabled() && !edit->isReadOnly()) {
                    edit->clear();
                    edit->insert(QStringLiteral("a\r\nb\nc\rd"));
                }
                if (edit->text().contains(u'\n') || edit->text().contains(u'\r'))
                    kept << dialog.windowTitle() + u' ' + edit->objectName();
            }
            return false;  // cancelled
        };
        for (int button : {1, 2, 3, 4, 5}) {
            user.dialogAnswers = {check};
            QTest::mouseClick(w.button(button), Qt::LeftButton);
        }
        user.dialogAnswers = {check};
        w.controller().editTeam(0);
        user.dialogAnswers = {check};
        w.controller().editMember(game.findMemberByName("p\nq"));
        QCOMPARE(kept, QStringList());
        // 3 password, 10 settings, 8 team, 2 member, 7 page, 8 team, 1 member information
        QCOMPARE(fields, 3 + 10 + 8 + 2 + 7 + 8 + 1);
        QCOMPARE(game.memberAt(game.findMemberByName("p\nq")).name.str(), std::string("p\nq"));
    }

    void exitAskedAndEnterIgnored() {
        ScriptedInteraction user;
        ui::MainWindow w(user);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::keyClick(&w, Qt::Key_Return);
        QTest::keyClick(w.button(0), Qt::Key_Return);
        QVERIFY(user.questions.empty() && user.dialogTitles.empty());

        user.yesNoAnswers = {false};
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(!w.close());  // No again (empty script)
        QVERIFY(w.isVisible());
        const Msg ask{ui::Interaction::Icon::Question, QStringLiteral("終了"), QStringLiteral("終了しますか？")};
        QCOMPARE(user.questions.size(), 2u);
        QVERIFY(user.questions[0] == ask && user.questions[1] == ask);
        QCOMPARE(w.windowTitle(), QStringLiteral("Scorvale"));

        user.yesNoAnswers = {true};
        QVERIFY(w.close());
    }

    void aboutOnF1AndStripMenu() {
        ScriptedInteraction user;
        ui::MainWindow w(user);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::keyClick(&w, Qt::Key_F1);
        const QString about = QStringLiteral("Scorvaleのﾊﾞｰｼﾞｮﾝ情報");
        QCOMPARE(user.dialogTitles, std::vector<QString>({about}));

        // A right click beside the buttons: a separator, then the about item.
        QStringList items;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            for (QAction* a : menu->actions()) items << (a->isSeparator() ? QStringLiteral("-") : a->text());
            menu->actions().last()->trigger();
            menu->close();
        });
        QWidget* strip = w.button(0)->parentWidget();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(50, 300), strip->mapToGlobal(QPoint(50, 300)));
        QCoreApplication::sendEvent(strip, &event);
        QCOMPARE(items, QStringList({QStringLiteral("-"), QStringLiteral("Scorvale のﾊﾞｰｼﾞｮﾝ情報(&A)...")}));
        QCOMPARE(user.dialogTitles, std::vector<QString>({about, about}));
    }

    void layoutSplitsTheArea() {
        ScriptedInteraction user;
        ui::MainWindow w(user);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.resize(900, 501);
        QCoreApplication::processEvents();
        const QRect team = w.teamList()->geometry();
        const QRect member = w.memberList()->geometry();
        const int h = w.height() - 24;
        QCOMPARE(team, QRect(105, 12, w.width() - 117, h / 2));
        QCOMPARE(member, QRect(105, 12 + h / 2, w.width() - 117, h - h / 2));
        QCOMPARE(w.minimumSize(), QSize(800, 340));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
