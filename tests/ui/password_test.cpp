#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include "tests/support/scripted_interaction.h"
#include "tests/ui/ui_fixture.h"
#include "ui/password.h"
#include "ui/dialogs/validation.h"
#include "ui/password_dialog.h"

using namespace scorvale;
using namespace scorvale::testing;

namespace {
void type(QLineEdit* edit, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(edit, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(edit, &release);
    }
}

std::function<bool(QDialog&)> enter(QString current, QString next, QString confirm) {
    return [=](QDialog& d) {
        auto& dialog = dynamic_cast<ui::PasswordDialog&>(d);
        for (QLineEdit* e : {dialog.currentEdit(), dialog.newEdit(), dialog.confirmEdit()})
            if (!e->text().isEmpty()) return false;  // texts start empty every time
        if (dialog.currentEdit()->isEnabled()) type(dialog.currentEdit(), current);
        if (dialog.newEdit()->isEnabled()) type(dialog.newEdit(), next);
        if (dialog.confirmEdit()->isEnabled()) type(dialog.confirmEdit(), confirm);
        return true;
    };
}
}  // namespace

class PasswordTest : public QObject {
    Q_OBJECT

private slots:
    void values() {
        QCOMPARE(ui::passwordValue(""), 0);
        QCOMPARE(ui::passwordValue("abc"), 760);
        QCOMPARE(ui::passwordValue("!Q}"), 760);
        QCOMPARE(ui::passwordValue("\x82\xa0"), -373);  // あ: both bytes count negative
    }

    void command_data() {
        QTest::addColumn<bool>("unlocked");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("next");
        QTest::addColumn<QString>("confirm");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("storedAfter");
        QTest::addColumn<bool>("unlockedAfter");
        const QString change = QStringLiteral("パスワードの変更");
        const QString entry = QStringLiteral("パスワードの入力");
        const QString changed = QStringLiteral("パスワードは変更されました");
        const QString refused = QStringLiteral("パスワードを変更できませんでした");
        const QString accepted = QStringLiteral("パスワードが受理されました");
        const QString wrong = QStringLiteral("パスワードが違います");
        const QString abc = QStringLiteral("abc");
        QTest::newRow("set when none") << true << 0 << QString() << abc << abc << change << changed << 760 << true;
        QTest::newRow("set double-byte") << true << 0 << QString() << QStringLiteral("あ") << QStringLiteral("あ")
                                         << change << changed << -373 << true;
        QTest::newRow("new fields differ") << true << 0 << QString() << abc << QStringLiteral("abd") << change << refused
                                           << 0 << true;
        QTest::newRow("both empty") << true << 0 << QString() << QString() << QString() << change << changed << 0 << true;
        QTest::newRow("refused once set") << true << 760 << QString() << QStringLiteral("x") << QStringLiteral("x")
                                          << change << refused << 760 << true;
        QTest::newRow("unlock by same value") << false << 760 << QStringLiteral("!Q}") << QString() << QString() << entry
                                              << accepted << 760 << true;
        QTest::newRow("wrong password") << false << 760 << QStringLiteral("abd") << QString() << QString() << entry
                                        << wrong << 760 << false;
        QTest::newRow("empty unlocks no password") << false << 0 << QString() << QString() << QString() << entry
                                                   << accepted << 0 << true;
    }
    void command() {
        QFETCH(bool, unlocked);
        QFETCH(int, stored);
        QFETCH(QString, current);
        QFETCH(QString, next);
        QFETCH(QString, confirm);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        QFETCH(int, storedAfter);
        QFETCH(bool, unlockedAfter);
        ScriptedInteraction user;
        user.dialogAnswers = {enter(current, next, confirm)};
        ui::MainWindow w(user);
        fillPool(w.controller().game());
        w.controller().game().settings.password = stored;
        w.controller().setEditingUnlocked(unlocked);
        w.controller().refreshView();
        w.controller().teamHeaderClicked(lists::columnIndex(TeamColumn::name));
        const auto order = teamNames(w.controller().game());
        QTest::mouseClick(w.button(Cmd::password), Qt::LeftButton);

        QCOMPARE(user.dialogTitles, std::vector<QString>({QStringLiteral("管理者暗証番号")}));
        QCOMPARE(user.messages.size(), 1u);
        QVERIFY(user.messages[0] == (ScriptedInteraction::Message{ui::Interaction::Icon::None, caption, text}));
        QCOMPARE(w.controller().game().settings.password, storedAfter);
        QCOMPARE(w.controller().editingUnlocked(), unlockedAfter);
        QCOMPARE(w.button(Cmd::settings)->isEnabled(), unlockedAfter);
        QCOMPARE(w.button(Cmd::addTeam)->isEnabled(), unlockedAfter);
        QCOMPARE(w.button(Cmd::htmlOutput)->isEnabled(), unlockedAfter);
        QCOMPARE(teamNames(w.controller().game()), order);  // never reordered
    }

    // A character Shift-JIS cannot hold would vanish from the password's
    // value: the field is refused, as other fields refuse it, before any
    // comparison.
    void unencodableRefused_data() {
        QTest::addColumn<bool>("unlocked");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("next");
        QTest::addColumn<QString>("confirm");
        QTest::addColumn<QString>("field");
        QTest::newRow("both new fields") << true << QString() << QStringLiteral("é€x") << QStringLiteral("é€x")
                                         << QStringLiteral("新しいパスワード");
        QTest::newRow("differing only there") << true << QString() << QStringLiteral("éa") << QStringLiteral("éb")
                                              << QStringLiteral("新しいパスワード");
        QTest::newRow("confirmation") << true << QString() << QStringLiteral("a") << QStringLiteral("a€")
                                      << QStringLiteral("新しいパスワード(確認)");
        QTest::newRow("unlocking") << false << QStringLiteral("ü") << QString() << QString()
                                   << QStringLiteral("パスワード");
    }
    void unencodableRefused() {
        QFETCH(bool, unlocked);
        QFETCH(QString, current);
        QFETCH(QString, next);
        QFETCH(QString, confirm);
        QFETCH(QString, field);
        ScriptedInteraction user;
        user.dialogAnswers = {enter(current, next, confirm)};
        ui::MainWindow w(user);
        w.controller().game().settings.password = unlocked ? 0 : 760;
        w.controller().setEditingUnlocked(unlocked);
        QTest::mouseClick(w.button(Cmd::password), Qt::LeftButton);

        QCOMPARE(user.messages.size(), 1u);
        QVERIFY(user.messages[0] == (ScriptedInteraction::Message{ui::Interaction::Icon::Warning,
                                                                   QStringLiteral("Scorvale"),
                                                                   ui::unencodableMessage(field)}));
        QCOMPARE(w.controller().game().settings.password, unlocked ? 0 : 760);
        QCOMPARE(w.controller().editingUnlocked(), unlocked);
    }

    void cancelChangesNothing() {
        ScriptedInteraction user;
        ui::MainWindow w(user);
        QTest::mouseClick(w.button(Cmd::password), Qt::LeftButton);
        QVERIFY(user.messages.empty());
        QCOMPARE(w.controller().game().settings.password, 0);
    }

    void fieldsByMode() {
        ScriptedInteraction user;
        ui::PasswordDialog locked(false, user);
        QVERIFY(locked.currentEdit()->isEnabled() && !locked.newEdit()->isEnabled() && !locked.confirmEdit()->isEnabled());
        ui::PasswordDialog open(true, user);
        QVERIFY(!open.currentEdit()->isEnabled() && open.newEdit()->isEnabled() && open.confirmEdit()->isEnabled());
        QCOMPARE(open.currentEdit()->echoMode(), QLineEdit::Password);
    }

    void eightByteLimit_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("ascii") << QStringLiteral("abcdefghij") << QStringLiteral("abcdefgh");
        QTest::newRow("double-byte") << QStringLiteral("あいうえお") << QStringLiteral("あいうえ");
        QTest::newRow("mixed") << QStringLiteral("abcdefgあb") << QStringLiteral("abcdefgb");
        QTest::newRow("half-width kana") << QStringLiteral("ｱｲｳｴｵｶｷｸｹ") << QStringLiteral("ｱｲｳｴｵｶｷｸ");
    }
    void eightByteLimit() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        ScriptedInteraction user;
        ui::PasswordDialog dialog(false, user);
        type(dialog.currentEdit(), typed);
        QCOMPARE(dialog.currentEdit()->text(), kept);
    }
};

QTEST_MAIN(PasswordTest)
#include "password_test.moc"
