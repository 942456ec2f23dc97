#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>
#include <limits>

#include "scoring/ordering.h"
#include "scoring/standings.h"
#include "tests/dialogs/dialog_script.h"
#include "tests/support/random_game.h"
#include "ui/dialogs/settings_dialog.h"
#include "ui/dialogs/validation.h"
#include "ui/dialogs/edit_commands.h"

using namespace scorvale;
using namespace scorvale::testing;
using scorvale::ui::SettingsDialog;

class SettingsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void rangesAndMessages_data();
    void rangesAndMessages();
    void firstBadFieldWins();
    void rateRadios_data();
    void rateRadios();
    void chosenRateIsStored();
    void cancelChangesNothing();
    void untouchedTitleKeepsItsBytes_data();
    void untouchedTitleKeepsItsBytes();
    void fixedRankingAwardsPlaceBonusesAndReorders();
};

void SettingsDialogTest::rangesAndMessages_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");  // empty: accepted
    const QString whole = ui::wholeNumberMessage();
    const QString maxBet = ui::wholeNumberRangeMessage(1, 32);
    const QString tournament = ui::wholeNumberRangeMessage(0, 100000);
    QTest::newRow("maxBet 0") << "maxBet" << "0" << maxBet;
    QTest::newRow("maxBet 1") << "maxBet" << "1" << "";
    QTest::newRow("maxBet 32") << "maxBet" << "32" << "";
    QTest::newRow("maxBet 33") << "maxBet" << "33" << maxBet;
    QTest::newRow("tournament -1") << "tournamentWinPoints" << "-1" << tournament;
    QTest::newRow("tournament 0") << "tournamentWinPoints" << "0" << "";
    QTest::newRow("tournament 100000") << "tournamentWinPoints" << "100000" << "";
    QTest::newRow("tournament 100001") << "tournamentWinPoints" << "100001" << tournament;
    QTest::newRow("loss -1") << "losePoints" << "-1" << "";
    QTest::newRow("win int max") << "winPoints" << "2147483647" << "";
    QTest::newRow("win beyond 32 bits") << "winPoints" << "2147483648" << whole;
    QTest::newRow("bonus1 empty") << "bonus1" << "" << whole;
    QTest::newRow("bonus2 text") << "bonus2" << "1x" << whole;
    QTest::newRow("qualify blanks") << "qualifyBonus" << " 7 " << "";
}

void SettingsDialogTest::rangesAndMessages() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    DialogScript script;
    SettingsDialog dialog(GameSettings{}, script);
    dialog.show();
    auto* edit = child<QLineEdit>(dialog, field.toLatin1().constData());
    retype(edit, text);
    click(dialog, "ok");
    if (message.isEmpty()) {
        QVERIFY(script.messages.empty());
        QCOMPARE(dialog.result(), QDialog::Accepted);
    } else {
        QCOMPARE(script.messages.size(), std::size_t{1});
        QCOMPARE(script.messages[0].text, message);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.focusWidget(), edit);
        QCOMPARE(edit->text(), text);
    }
}

void SettingsDialogTest::firstBadFieldWins() {
    DialogScript script;
    SettingsDialog dialog(GameSettings{}, script);
    dialog.show();
    // Checked in the fixed order: draw, loss, maxBet, title, win, ...
    retype(child<QLineEdit>(dialog, "maxBet"), QStringLiteral("x"));
    retype(child<QLineEdit>(dialog, "drawPoints"), QStringLiteral("y"));
    child<QLineEdit>(dialog, "title")->setText(QStringLiteral("杯\U0001F600"));
    click(dialog, "ok");
    QCOMPARE(script.messages.size(), std::size_t{1});
    QCOMPARE(script.messages[0].text, ui::wholeNumberMessage());
    QCOMPARE(dialog.focusWidget(), child<QWidget>(dialog, "drawPoints"));

    retype(child<QLineEdit>(dialog, "drawPoints"), QStringLiteral("1"));
    retype(child<QLineEdit>(dialog, "maxBet"), QStringLiteral("5"));
    click(dialog, "ok");
    QCOMPARE(script.messages.back().text, ui::unencodableMessage(QStringLiteral("タイトル")));
    QCOMPARE(dialog.focusWidget(), child<QWidget>(dialog, "title"));
    QVERIFY(dialog.isVisible());
}

void SettingsDialogTest::rateRadios_data() {
    QTest::addColumn<int>("rate");
    QTest::addColumn<QString>("checked");  // empty: none
    QTest::newRow("cubed") << 3 << "rateCubed";
    QTest::newRow("squared") << 2 << "rateSquared";
    QTest::newRow("normal") << 1 << "rateNormal";
    QTest::newRow("zero") << 0 << "";
    QTest::newRow("four") << 4 << "";
    // A file may hold any rate.
    QTest::newRow("int min") << std::numeric_limits<int>::min() << "";
    QTest::newRow("int max") << std::numeric_limits<int>::max() << "";
}

void SettingsDialogTest::rateRadios() {
    QFETCH(int, rate);
    QFETCH(QString, checked);
    DialogScript script;
    GameSettings settings;
    settings.rate = rate;
    SettingsDialog dialog(settings, script);
    for (const char* name : {"rateCubed", "rateSquared", "rateNormal"})
        QCOMPARE(child<QRadioButton>(dialog, name)->isChecked(), checked == QLatin1String(name));
    click(dialog, "ok");
    QCOMPARE(dialog.result(), QDialog::Accepted);
    // No choice stores 4, which scores as normal dividends.
    QCOMPARE(dialog.values().rate, checked.isEmpty() ? 4 : rate);
}

void SettingsDialogTest::chosenRateIsStored() {
    Game game;
    DialogScript script;
    script.dialog([](QDialog& d) {
        click(d, "rateSquared");
        click(d, "ok");
    });
    QVERIFY(ui::runSettingsCommand(game, script));
    QCOMPARE(game.settings.rate, 2);
    script.dialog([](QDialog& d) { QVERIFY(child<QRadioButton>(d, "rateSquared")->isChecked()); });
    QVERIFY(!ui::runSettingsCommand(game, script));
    QVERIFY(script.finished());
}

void SettingsDialogTest::cancelChangesNothing() {
    Game game = RandomGames(7).game(5, 5);
    const GameSettings before = game.settings;
    DialogScript script;
    script.dialog([](QDialog& d) {
        retype(child<QLineEdit>(d, "maxBet"), QStringLiteral("3"));
        click(d, "rateCubed");
        click(d, "cancel");
    });
    QVERIFY(!ui::runSettingsCommand(game, script));
    QCOMPARE(game.settings, before);
}

void SettingsDialogTest::untouchedTitleKeepsItsBytes_data() {
    QTest::addColumn<QByteArray>("title");
    QByteArray longTitle(38000, 't');
    for (int i = 0; i < 1000; ++i) longTitle += "\x82\xa0";  // あ
    QTest::newRow("40,000 bytes") << longTitle;
    QTest::newRow("line feed from a file") << QByteArray("World Cup\n[ALL_END]");
    QTest::newRow("lone CR and CR LF") << QByteArray("a\rb\r\nc");
}

void SettingsDialogTest::untouchedTitleKeepsItsBytes() {
    QFETCH(QByteArray, title);
    GameSettings settings;
    settings.name = title.toStdString();
    DialogScript script;
    SettingsDialog dialog(settings, script);
    click(dialog, "ok");
    QCOMPARE(dialog.result(), QDialog::Accepted);
    QVERIFY(dialog.values().name == settings.name);
}

void SettingsDialogTest::fixedRankingAwardsPlaceBonusesAndReorders() {
    Game game;
    for (const auto& [name, wins] : {std::pair{"C", 1}, std::pair{"A", 3}, std::pair{"B", 2}}) {
        Team team;
        team.name = name;
        team.wins = wins;
        game.addTeam(team);
    }
    computeStandings(game);
    QCOMPARE(game.teamAt(1).bonus, 0);
    DialogScript script;
    script.dialog([](QDialog& d) {
        click(d, "over");
        click(d, "ok");
    });
    QVERIFY(ui::runSettingsCommand(game, script));
    // The main window's full update.
    computeStandings(game);
    sortTeams(game, TeamSortKey::rank);
    sortMembers(game, MemberSortKey::rank);
    QCOMPARE(game.settings.over, 1);
    QCOMPARE(game.teamAt(0).name.str(), std::string("A"));
    QCOMPARE(game.teamAt(0).bonus, game.settings.bonus1);
    QCOMPARE(game.teamAt(1).bonus, game.settings.bonus2);
    QCOMPARE(game.teamAt(2).bonus, game.settings.bonus3);
}

QTEST_MAIN(SettingsDialogTest)
#include "settings_dialog_test.moc"
