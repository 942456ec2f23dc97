#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QTest>

#include <QFile>
#include <QScreen>
#include <QTemporaryDir>

#include "lists/standings_tables.h"
#include "scoring/ordering.h"
#include "ui/pictures.h"
#include "tests/support/scripted_interaction.h"
#include "tests/ui/ui_fixture.h"
#include "ui/window_placement.h"

using namespace scorvale;
using namespace scorvale::testing;
using Msg = ScriptedInteraction::Message;

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    static QString windowTitleOf(const ui::MainWindow& w) { return w.windowTitle(); }
    // The items of the strip's context menu ("-" for a separator); triggers
    // the one captioned `choose`, if any.
    static QStringList stripMenu(ui::MainWindow& w, const QString& choose = {}) {
        QStringList items;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            QAction* chosen = nullptr;
            for (QAction* a : menu->actions()) {
                items << (a->isSeparator() ? QStringLiteral("-") : a->text());
                if (a->text() == choose) chosen = a;
            }
            menu->close();
            if (chosen) chosen->trigger();
        });
        QWidget* strip = w.button(Cmd::load)->parentWidget();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(50, 300), strip->mapToGlobal(QPoint(50, 300)));
        QCoreApplication::sendEvent(strip, &event);
        return items;
    }
    static std::vector<bool> adminButtons(const ui::MainWindow& w) {
        return {w.button(Cmd::settings)->isEnabled(), w.button(Cmd::addTeam)->isEnabled(),
                w.button(Cmd::htmlOutput)->isEnabled()};
    }
    template <typename Column>
    static void clickHeader(QTableView* view, Column id) {
        const int column = lists::columnIndex(id);
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
        // From top to bottom.
        const std::pair<Cmd, QString> buttons[] = {
            {Cmd::load, QStringLiteral("読み込み(&L)")},        {Cmd::password, QStringLiteral("パスワード(&P)")},
            {Cmd::settings, QStringLiteral("設定(&R)")},        {Cmd::addTeam, QStringLiteral("チーム追加(&T)")},
            {Cmd::addMember, QStringLiteral("参加者追加(&M)")}, {Cmd::htmlOutput, QStringLiteral("HTML出力(&H)")},
            {Cmd::save, QStringLiteral("保存(&S)")}};
        int above = 0;
        for (const auto& [command, caption] : buttons) {
            QCOMPARE(w.button(command)->text(), caption);
            QVERIFY(w.button(command)->isEnabled());
            QVERIFY(w.button(command)->y() > above);
            above = w.button(command)->y();
        }
        QCOMPARE(w.controller().game().settings.maxBet, 10);
        QVERIFY(w.controller().editingUnlocked());

        QTest::mouseClick(w.button(Cmd::save), Qt::LeftButton);  // Save, cancelled in the file dialog
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
        // In list order.
        const struct {
            TeamColumn id;
            QString caption;
            int width;
        } team[] = {{TeamColumn::name, QStringLiteral("チーム"), 100},
                    {TeamColumn::group, QStringLiteral("グループ"), 60},
                    {TeamColumn::rank, QStringLiteral("順位"), 38},
                    {TeamColumn::status, QStringLiteral("状態"), 38},
                    {TeamColumn::popularity, QStringLiteral("人気"), 38},
                    {TeamColumn::played, QStringLiteral("消化"), 38},
                    {TeamColumn::tournamentWins, QStringLiteral("T勝"), 38},
                    {TeamColumn::wins, QStringLiteral("勝"), 25},
                    {TeamColumn::losses, QStringLiteral("負"), 25},
                    {TeamColumn::draws, QStringLiteral("分"), 25},
                    {TeamColumn::points, QStringLiteral("勝点"), 38},
                    {TeamColumn::goalDiff, QStringLiteral("得失"), 38},
                    {TeamColumn::bonus, QStringLiteral("特賞"), 38},
                    {TeamColumn::date, QStringLiteral("最終更新"), 100}};
        const struct {
            MemberColumn id;
            QString caption;
            int width;
        } member[] = {{MemberColumn::name, QStringLiteral("参加者"), 100},
                      {MemberColumn::rank, QStringLiteral("順位"), 38},
                      {MemberColumn::score, QStringLiteral("得点"), 38},
                      {MemberColumn::firstVote, QStringLiteral("筆頭候補"), 100},
                      {MemberColumn::date, QStringLiteral("最終更新"), 100}};
        QCOMPARE(w.teamList()->model()->columnCount(), static_cast<int>(std::size(team)));
        QCOMPARE(w.memberList()->model()->columnCount(), static_cast<int>(std::size(member)));
        for (int c = 0; c < static_cast<int>(std::size(team)); ++c) {
            QCOMPARE(lists::columnIndex(team[c].id), c);
            QCOMPARE(w.teamList()->model()->headerData(c, Qt::Horizontal).toString(), team[c].caption);
            QCOMPARE(w.teamList()->columnWidth(c), team[c].width);
        }
        for (int c = 0; c < static_cast<int>(std::size(member)); ++c) {
            QCOMPARE(lists::columnIndex(member[c].id), c);
            QCOMPARE(w.memberList()->model()->headerData(c, Qt::Horizontal).toString(), member[c].caption);
            QCOMPARE(w.memberList()->columnWidth(c), member[c].width);
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
        QCOMPARE(cell(w.teamList(), 0, TeamColumn::status), QStringLiteral("T"));
        QCOMPARE(cell(w.teamList(), 1, TeamColumn::name), QStringLiteral("Japan"));
        QCOMPARE(cell(w.teamList(), 2, TeamColumn::status), QStringLiteral("D"));
        QCOMPARE(cell(w.teamList(), 3, TeamColumn::status), QStringLiteral("TD"));
        QCOMPARE(cell(w.teamList(), 2, TeamColumn::goalDiff), QStringLiteral("-3"));
        const auto alignment = [&](int row, TeamColumn column) {
            const QModelIndex at = w.teamList()->model()->index(row, lists::columnIndex(column));
            return at.data(Qt::TextAlignmentRole).value<Qt::Alignment>();
        };
        QVERIFY(alignment(2, TeamColumn::goalDiff) & Qt::AlignRight);
        QVERIFY(alignment(2, TeamColumn::name) & Qt::AlignLeft);
        QCOMPARE(cell(w.teamList(), 3, TeamColumn::wins), QStringLiteral("1"));
        QCOMPARE(cell(w.teamList(), 3, TeamColumn::losses), QStringLiteral("1"));
        QCOMPARE(cell(w.teamList(), 3, TeamColumn::draws), QStringLiteral("2"));
        QCOMPARE(cell(w.teamList(), 0, TeamColumn::date), QStringLiteral("02/06/30"));
        QCOMPARE(cell(w.memberList(), 0, MemberColumn::firstVote), QStringLiteral("Japan"));
        QCOMPARE(cell(w.memberList(), 3, MemberColumn::firstVote), QString());
        QCOMPARE(cell(w.memberList(), 1, MemberColumn::date), QStringLiteral("02/05/03"));
        QCOMPARE(cell(w.memberList(), 0, MemberColumn::score), QString::number(game.memberAt(0).score));

        // Invalid Shift-JIS shows a replacement but leaves the bytes alone.
        game.teamAt(0).name = "\x82";
        w.controller().refreshView();
        QVERIFY(cell(w.teamList(), 0, TeamColumn::name).contains(QChar(0xFFFD)));
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
        QVERIFY(w.button(Cmd::addMember)->isEnabled() && w.button(Cmd::load)->isEnabled() && w.button(Cmd::save)->isEnabled());

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
        using TK = TeamSortKey;
        const std::pair<TeamColumn, TK> teamKeys[] = {{TeamColumn::name, TK::name},
                                                      {TeamColumn::group, TK::group},
                                                      {TeamColumn::rank, TK::rank},
                                                      {TeamColumn::status, TK::name},
                                                      {TeamColumn::popularity, TK::popularity},
                                                      {TeamColumn::played, TK::played},
                                                      {TeamColumn::tournamentWins, TK::tournamentWins},
                                                      {TeamColumn::wins, TK::wins},
                                                      {TeamColumn::losses, TK::losses},
                                                      {TeamColumn::draws, TK::draws},
                                                      {TeamColumn::points, TK::points},
                                                      {TeamColumn::goalDiff, TK::goalDiff},
                                                      {TeamColumn::bonus, TK::bonus},
                                                      {TeamColumn::date, TK::date}};
        const std::pair<MemberColumn, MemberSortKey> memberKeys[] = {{MemberColumn::name, MemberSortKey::name},
                                                                     {MemberColumn::rank, MemberSortKey::rank},
                                                                     {MemberColumn::score, MemberSortKey::score},
                                                                     {MemberColumn::firstVote, MemberSortKey::firstVote},
                                                                     {MemberColumn::date, MemberSortKey::date}};
        ScriptedInteraction user;
        ui::MainWindow w(user);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        Game& game = w.controller().game();
        for (const auto& [column, key] : teamKeys) {
            fillPool(game);
            w.controller().refreshView();
            Game expected = game;
            sortTeams(expected, key);
            clickHeader(w.teamList(), column);
            QCOMPARE(teamNames(game), teamNames(expected));
            clickHeader(w.teamList(), column);
            QCOMPARE(teamNames(game), teamNames(expected));
            QCOMPARE(cell(w.teamList(), 0, TeamColumn::name), QString::fromStdString(teamNames(expected)[0]));
        }
        for (const auto& [column, key] : memberKeys) {
            fillPool(game);
            w.controller().refreshView();
            Game expected = game;
            sortMembers(expected, key);
            clickHeader(w.memberList(), column);
            QCOMPARE(memberNames(game), memberNames(expected));
            clickHeader(w.memberList(), column);
            QCOMPARE(memberNames(game), memberNames(expected));
        }
        // A click on one list leaves the other's order.
        fillPool(game);
        w.controller().refreshView();
        const auto members = memberNames(game);
        clickHeader(w.teamList(), TeamColumn::points);
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
        w.controller().teamHeaderClicked(lists::columnIndex(TeamColumn::name));
        w.controller().memberHeaderClicked(lists::columnIndex(MemberColumn::name));
        Game expected = game;
        sortTeams(expected, TeamSortKey::rank);
        sortMembers(expected, MemberSortKey::rank);
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
        for (const Cmd command : {Cmd::password, Cmd::settings, Cmd::addTeam, Cmd::addMember, Cmd::htmlOutput}) {
            user.dialogAnswers = {check};
            QTest::mouseClick(w.button(command), Qt::LeftButton);
        }
        user.dialogAnswers = {check};
        w.controller().editTeam(0);
        user.dialogAnswers = {check};
        w.controller().editMember(game.findMemberByName("p\nq"));
        QCOMPARE(kept, QStringList());
        // 3 password, 10 settings, 8 team, 2 member and its teams' filter, 7 page, 8 team, 1 member information
        QCOMPARE(fields, 3 + 10 + 8 + 3 + 7 + 8 + 1);
        QCOMPARE(game.memberAt(game.findMemberByName("p\nq")).name.str(), std::string("p\nq"));
    }

    void exitAskedAndEnterIgnored() {
        ScriptedInteraction user;
        ui::MainWindow w(user);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::keyClick(&w, Qt::Key_Return);
        QTest::keyClick(w.button(Cmd::load), Qt::Key_Return);
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

        // A right click beside the buttons: undo and redo, the file commands,
        // the imports, then the about item.
        const QString aboutItem = QStringLiteral("Scorvale のﾊﾞｰｼﾞｮﾝ情報(&A)...");
        QCOMPARE(stripMenu(w, aboutItem),
                 QStringList({QStringLiteral("元に戻す"), QStringLiteral("やり直し"), QStringLiteral("-"),
                              QStringLiteral("上書き保存"), QStringLiteral("新しいゲーム"),
                              QStringLiteral("順位表をCSVで保存"), QStringLiteral("-"),
                              QStringLiteral("試合結果の取り込み(&G)..."), QStringLiteral("参加者の取り込み(&I)..."),
                              QStringLiteral("-"), aboutItem}));
        QCOMPARE(user.dialogTitles, std::vector<QString>({about, about}));
    }

    // The lists as a spreadsheet's CSV, from the strip's menu: the lists'
    // cells as they stand, nothing asked without a game, nothing written
    // when the dialog is cancelled.
    void standingsCsvFromTheStripMenu() {
        QTemporaryDir dir;
        ScriptedInteraction user;
        ui::MainWindow w(user);
        const QString item = QStringLiteral("順位表をCSVで保存");
        Game& game = w.controller().game();
        game.settings.name.clear();
        stripMenu(w, item);
        QVERIFY(user.fileRequests.empty());

        fillPool(game);
        game.settings.name = "cup";
        w.controller().memberHeaderClicked(lists::columnIndex(MemberColumn::name));
        const QString path = dir.filePath(QStringLiteral("cup.csv"));
        user.fileAnswers = {std::nullopt, path};
        stripMenu(w, item);
        QVERIFY(!QFile::exists(path));
        stripMenu(w, item);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().toStdString(), lists::standingsCsv(game));
        QCOMPARE(memberNames(game), (std::vector<std::string>{"hanako", "jiro", "novote", "taro"}));
        QCOMPARE(user.fileRequests.size(), 2u);
        QCOMPARE(user.fileRequests[1].filter, QStringLiteral("CSV (*.csv)"));
        QCOMPARE(user.fileRequests[1].defaultSuffix, QStringLiteral("csv"));
        QVERIFY(user.messages.empty());
        QVERIFY(!w.controller().unsaved());
    }

    void firstWindowGeometry_data() {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("expected");
        const QSize wanted(820, 760);
        QTest::newRow("large screen: centred") << QRect(0, 0, 1920, 1080) << QRect(550, 160, 820, 760);
        QTest::newRow("a second screen") << QRect(1920, 0, 1024, 768) << QRect(1920 + 102, 4, 820, 760);
        QTest::newRow("laptop under a panel: as tall as it gets") << QRect(0, 24, 1366, 744) << QRect(273, 24, 820, 744);
        QTest::newRow("narrow: never below the minimum") << QRect(0, 0, 640, 300) << QRect(0, 0, 800, 340);
    }
    void firstWindowGeometry() {
        QFETCH(QRect, available);
        QFETCH(QRect, expected);
        QCOMPARE(ui::firstWindowGeometry(QSize(820, 760), QSize(800, 340), available), expected);
    }

    // The window opens centred, with room for twenty members when the
    // screen has it, else as tall as the screen.
    void firstWindowShowsTwentyMembers() {
        ScriptedInteraction user;
        ui::MainWindow w(user);
        const QRect available = w.screen()->availableGeometry();
        QVERIFY(qAbs(w.geometry().center().x() - available.center().x()) <= 1);
        QVERIFY(w.width() >= 800 && w.height() >= 340);
        QTableView* members = w.memberList();
        const int shown = (members->height() - members->horizontalHeader()->sizeHint().height() - 2 * members->frameWidth()) /
                          members->verticalHeader()->defaultSectionSize();
        QVERIFY2(shown >= 20 || w.height() >= available.height(), qPrintable(QString::number(shown)));
        // Every column of the team list side by side.
        int columns = 0;
        for (int c = 0; c < w.teamList()->model()->columnCount(); ++c) columns += w.teamList()->columnWidth(c);
        QVERIFY(w.teamList()->width() >= columns || w.width() >= available.width());
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

    // A picture that is missing from the resources shows as nothing at all.
    void picturesAtTheSizesShown() {
        Q_INIT_RESOURCE(scorvale);
        const std::pair<const char*, int> pictures[] = {{"icon", 16}, {"icon", 256}, {"picture", 88}, {"about", 32}};
        for (const auto& [name, size] : pictures) {
            const QPixmap shown = ui::programPicture(QString::fromLatin1(name)).pixmap(size, size);
            QVERIFY2(!shown.isNull(), name);
            QCOMPARE(shown.size(), QSize(size, size));
            // Drawn, not only sized: some pixel is not transparent.
            const QImage image = shown.toImage();
            bool drawn = false;
            for (int y = 0; y < size && !drawn; ++y)
                for (int x = 0; x < size && !drawn; ++x) drawn = qAlpha(image.pixel(x, y)) != 0;
            QVERIFY2(drawn, name);
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
