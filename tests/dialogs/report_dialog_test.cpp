#include <QCheckBox>
#include <QImage>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QtTest>

#include "gamefile/file_error.h"
#include "gamefile/safe_file.h"
#include "report/html_report.h"
#include "report/phone_page.h"
#include "tests/dialogs/dialog_script.h"
#include "ui/dialogs/dialog_parts.h"
#include "ui/dialogs/html_output.h"
#include "ui/dialogs/report_settings_dialog.h"
#include "ui/dialogs/validation.h"
#include "ui/dialogs/edit_commands.h"
#include "ui/qt_text.h"

using namespace scorvale;
using namespace scorvale::testing;
using scorvale::ui::ReportDialogValues;
using scorvale::ui::ReportSettingsDialog;

namespace {
struct Written {
    std::string path;
    std::string gameName;
    ReportSettings settings;
};

Game reportGame() {
    Game game;
    game.settings.name = "Cup";
    game.settings.date = "04/08/16";
    game.report.editor = "\xff ed";  // not Shift-JIS: survives unedited
    game.report.head = "hello\r\nworld";
    game.report.topImage = "top.png";
    game.report.date = "old date";
    game.report.memberRange = 0;
    game.report.memberDetails = 1;
    return game;
}

QString greeting(int bytes) {
    return QString(bytes / 2, u'あ') + QString(bytes % 2, u'a');
}

void typeKey(QWidget* field, Qt::Key key, const QString& text) {
    QTest::sendKeyEvent(QTest::Press, field, key, text, Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, field, key, text, Qt::NoModifier);
}
}  // namespace

class ReportDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        written.clear();
        ui::setHtmlReportWriterForTesting([this](const Game& game, const std::string& path, const ReportSettings& s) {
            written.push_back({path, game.settings.name, s});
        });
    }
    void proposedFileName_data();
    void proposedFileName();
    void opensWithDefaultsEveryTime();
    void changedTitleWrittenCaptionLater();
    void droppedWithoutGameOrFile();
    void greetingLimitAtOk_data();
    void greetingLimitAtOk();
    void greetingRefusesTypingBeyond();
    void browseSetsOnlyItsField();
    void unencodableRefused();
    void untouchedFieldsKeepTheirBytes();
    void writeFailureIsShown();
    void pageChoiceIsRemembered();
    void chosenPageAndPictureAreWritten();

private:
    std::vector<Written> written;
};

void ReportDialogTest::proposedFileName_data() {
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("proposed");
    QTest::newRow("svl") << "/home/u/cup.svl" << "/home/u/cup.html";
    QTest::newRow("capitals") << "/home/u/CUP.SVL" << "/home/u/CUP.SVL";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("every occurrence") << "/a.svl/b.svl" << "/a.html/b.html";
    QTest::newRow("no extension") << "/home/u/cup" << "/home/u/cup";
}

void ReportDialogTest::proposedFileName() {
    QFETCH(QString, current);
    QFETCH(QString, proposed);
    Game game = reportGame();
    DialogScript script;
    script.dialog([](QDialog& d) { click(d, "ok"); }).saveFile(std::nullopt);
    ui::runHtmlOutputCommand(game, script, current.toStdString(), [] { return true; });
    QCOMPARE(script.saveRequests, QStringList{"Html (*.html)|html|" + proposed});
    QVERIFY(written.empty());
    QVERIFY(script.finished());
}

void ReportDialogTest::opensWithDefaultsEveryTime() {
    Game game = reportGame();
    DialogScript script;
    const auto checkDefaults = [](QDialog& d) {
        QCOMPARE(child<QLineEdit>(d, "title")->text(), QStringLiteral("Cup"));
        QCOMPARE(child<QLineEdit>(d, "date")->text(), QStringLiteral("04/08/16"));
        QCOMPARE(child<QLineEdit>(d, "topImage")->text(), QStringLiteral("top.png"));
        QCOMPARE(child<QPlainTextEdit>(d, "head")->toPlainText(), QStringLiteral("hello\nworld"));
        QVERIFY(child<QRadioButton>(d, "memberRange2")->isChecked());
        QVERIFY(child<QRadioButton>(d, "teamRange2")->isChecked());
        QVERIFY(!child<QCheckBox>(d, "memberDetails")->isChecked());
    };
    script.dialog([&](QDialog& d) {
        checkDefaults(d);
        click(d, "memberRange1");
        click(d, "teamRange0");
        click(d, "memberDetails");
        retype(child<QLineEdit>(d, "date"), QStringLiteral("05/01/01"));
        click(d, "ok");
    });
    script.saveFile(QStringLiteral("/tmp/out.html"));
    ui::runHtmlOutputCommand(game, script, "", [] { return true; });
    QCOMPARE(written.size(), std::size_t{1});
    const ReportSettings& s = written[0].settings;
    QCOMPARE(s.memberRange, 1);
    QCOMPARE(s.teamRange, 0);
    QCOMPARE(s.memberDetails, 1);
    QCOMPARE(s.teamDetails, 0);
    QCOMPARE(s.date, std::string("05/01/01"));
    QCOMPARE(game.settings.date, std::string("04/08/16"));  // the game's date stays
    QCOMPARE(s.editor, std::string("\xff ed"));
    QCOMPARE(s.head, std::string("hello\r\nworld"));
    QCOMPARE(written[0].path, std::string("/tmp/out.html"));

    script.dialog(checkDefaults);  // second opening, then cancelled
    ui::runHtmlOutputCommand(game, script, "", [] { return true; });
    QCOMPARE(written.size(), std::size_t{1});
    QVERIFY(script.finished());
}

void ReportDialogTest::changedTitleWrittenCaptionLater() {
    Game game = reportGame();
    game.teams().resize(1);
    game.teamAt(0).wins = 2;
    DialogScript script;
    script.dialog([](QDialog& d) {
        retype(child<QLineEdit>(d, "title"), QStringLiteral("New"));
        click(d, "ok");
    });
    script.saveFile(QStringLiteral("/tmp/out.html"));
    QStringList captions;
    std::int32_t pointsAtRebuild = -1;
    ui::runHtmlOutputCommand(game, script, "", [&] {
        captions << QString::fromStdString(game.settings.name);
        pointsAtRebuild = game.teamAt(0).points;
        return true;
    });
    QCOMPARE(pointsAtRebuild, 6);  // scored before the rebuild
    QCOMPARE(captions, QStringList{"Cup"});
    QCOMPARE(written.size(), std::size_t{1});
    QCOMPARE(written[0].settings.title, std::string("New"));
    QCOMPARE(written[0].gameName, std::string("New"));
    QCOMPARE(game.settings.name, std::string("New"));
}

void ReportDialogTest::droppedWithoutGameOrFile() {
    Game game = reportGame();
    const ReportSettings before = game.report;
    DialogScript script;
    script.dialog([](QDialog& d) {
        retype(child<QLineEdit>(d, "title"), QStringLiteral("New"));
        click(d, "ok");
    });
    ui::runHtmlOutputCommand(game, script, "a.svl", [] { return false; });  // no game: no file dialog
    script.dialog([](QDialog& d) {
        retype(child<QLineEdit>(d, "title"), QStringLiteral("New"));
        click(d, "ok");
    });
    script.saveFile(std::nullopt);
    ui::runHtmlOutputCommand(game, script, "a.svl", [] { return true; });
    QCOMPARE(game.report, before);
    QCOMPARE(game.settings.name, std::string("Cup"));
    QVERIFY(written.empty());
    QCOMPARE(script.saveRequests.size(), 1);
    QVERIFY(script.finished());
}

void ReportDialogTest::greetingLimitAtOk_data() {
    QTest::addColumn<int>("headBytes");
    QTest::addColumn<int>("footBytes");
    QTest::addColumn<QString>("refused");  // the field that takes the focus; empty: accepted
    QTest::newRow("both 2000") << 2000 << 2000 << "";
    QTest::newRow("head 2001") << 2001 << 0 << "head";
    QTest::newRow("foot 2001") << 0 << 2001 << "foot";
    QTest::newRow("both too long: foot first") << 3000 << 2001 << "foot";
}

void ReportDialogTest::greetingLimitAtOk() {
    QFETCH(int, headBytes);
    QFETCH(int, footBytes);
    QFETCH(QString, refused);
    ReportDialogValues values;
    values.head = ui::toSjis(greeting(headBytes)).value();
    values.foot = ui::toSjis(greeting(footBytes)).value();
    DialogScript script;
    ReportSettingsDialog dialog(values, script);
    dialog.show();
    // A longer text that the field was filled with stays visible.
    QCOMPARE(child<QPlainTextEdit>(dialog, "head")->toPlainText(), greeting(headBytes));
    click(dialog, "ok");
    if (refused.isEmpty()) {
        QCOMPARE(dialog.result(), QDialog::Accepted);
        QCOMPARE(dialog.values().head.size(), std::size_t(headBytes));
        QVERIFY(script.messages.empty());
    } else {
        QCOMPARE(script.messages.size(), std::size_t{1});
        QCOMPARE(script.messages[0].text, ui::byteLimitMessage(2000));
        QCOMPARE(dialog.focusWidget(), child<QWidget>(dialog, refused.toLatin1().constData()));
        QVERIFY(dialog.isVisible());
    }
}

void ReportDialogTest::greetingRefusesTypingBeyond() {
    DialogScript script;
    ReportDialogValues values;
    values.head = ui::toSjis(greeting(1997)).value();
    ReportSettingsDialog dialog(values, script);
    dialog.show();
    auto* head = child<QPlainTextEdit>(dialog, "head");
    head->moveCursor(QTextCursor::End);
    typeKey(head, Qt::Key_Return, QStringLiteral("\r"));  // a line end is CR LF: 1999
    QCOMPARE(head->toPlainText(), greeting(1997) + u'\n');
    type(head, QStringLiteral("あ"));  // 2001: refused
    QCOMPARE(head->toPlainText(), greeting(1997) + u'\n');
    typeKey(head, Qt::Key_Return, QStringLiteral("\r"));  // 2001: refused
    type(head, QStringLiteral("b"));  // 2000
    type(head, QStringLiteral("c"));  // 2001: refused
    QCOMPARE(head->toPlainText(), greeting(1997) + QStringLiteral("\nb"));
    click(dialog, "ok");
    QCOMPARE(dialog.result(), QDialog::Accepted);
    QCOMPARE(dialog.values().head, ui::toSjis(greeting(1997)).value() + "\r\nb");

    // A too-long filled text may be shortened but not lengthened.
    ReportDialogValues longer;
    longer.foot = std::string(2005, 'x');
    ReportSettingsDialog second(longer, script);
    second.show();
    auto* foot = child<QPlainTextEdit>(second, "foot");
    foot->moveCursor(QTextCursor::End);
    type(foot, QStringLiteral("y"));
    QCOMPARE(foot->toPlainText().size(), 2005);
    typeKey(foot, Qt::Key_Backspace, QString());
    QCOMPARE(foot->toPlainText().size(), 2004);
}

void ReportDialogTest::browseSetsOnlyItsField() {
    DialogScript script;
    ReportDialogValues values;
    values.title = "T";
    values.leftImage = "l.png";
    ReportSettingsDialog dialog(values, script);
    dialog.show();
    retype(child<QLineEdit>(dialog, "title"), QStringLiteral("typed"));
    struct Case {
        const char* button;
        const char* field;
        std::optional<QString> file;
        QString shown;
        QString caption;
    };
    const Case cases[] = {
        {"topImageBrowse", "topImage", QStringLiteral("/pics/top.gif"), QStringLiteral("top.gif"),
         QStringLiteral("トップ画像ファイルの選択")},
        {"leftImageBrowse", "leftImage", std::nullopt, QStringLiteral("l.png"),
         QStringLiteral("見出し左端画像ファイルの選択")},
        {"rightImageBrowse", "rightImage", QStringLiteral("C:\\p\\r.jpg"), QStringLiteral("r.jpg"),
         QStringLiteral("見出し右画像ファイルの選択")},
        {"backgroundImageBrowse", "backgroundImage", QStringLiteral("bg.png"), QStringLiteral("bg.png"),
         QStringLiteral("背景画像ファイルの選択")},
    };
    for (const Case& c : cases) {
        script.openFile(c.file);
        click(dialog, c.button);
        QCOMPARE(child<QLineEdit>(dialog, c.field)->text(), c.shown);
        QCOMPARE(script.messages.back().caption, c.caption);
        QCOMPARE(script.messages.back().icon, ui::Interaction::Icon::Information);
    }
    QCOMPARE(child<QLineEdit>(dialog, "title")->text(), QStringLiteral("typed"));
    QCOMPARE(child<QLineEdit>(dialog, "topImage")->text(), QStringLiteral("top.gif"));
    click(dialog, "ok");
    QCOMPARE(dialog.values().title, std::string("typed"));
    QCOMPARE(dialog.values().topImage, std::string("top.gif"));
    QVERIFY(script.finished());
}

void ReportDialogTest::unencodableRefused() {
    DialogScript script;
    ReportSettingsDialog dialog(ReportDialogValues{}, script);
    dialog.show();
    child<QLineEdit>(dialog, "editor")->setText(QStringLiteral("\U0001F600"));
    click(dialog, "ok");
    QCOMPARE(script.messages.size(), std::size_t{1});
    QCOMPARE(script.messages[0].text, ui::unencodableMessage(QStringLiteral("発表者")));
    QCOMPARE(dialog.focusWidget(), child<QWidget>(dialog, "editor"));
    QVERIFY(dialog.isVisible());
}

// Whatever a file held, OK without an edit stores the very bytes: texts
// beyond QLineEdit's default length, line breaks in one-line fields, and the
// lone CRs the greeting editor turns into line ends.
void ReportDialogTest::untouchedFieldsKeepTheirBytes() {
    ReportDialogValues values;
    values.title = std::string(38000, 't');
    for (int i = 0; i < 1000; ++i) values.title += "\x82\xa0";  // 40,000 bytes
    values.editor = std::string(40000, 'e') + "\r\n";
    values.date = "04\n08";
    values.topImage = "top\r.png";
    values.head = "a\rb";
    values.foot = "x\r\r\ny\r";
    DialogScript script;
    ReportSettingsDialog dialog(values, script);
    dialog.show();
    click(dialog, "ok");
    QCOMPARE(dialog.result(), QDialog::Accepted);
    const ReportDialogValues& read = dialog.values();
    QVERIFY(read.title == values.title);
    QVERIFY(read.editor == values.editor);
    QCOMPARE(read.date, values.date);
    QCOMPARE(read.topImage, values.topImage);
    QCOMPARE(read.head, values.head);
    QCOMPARE(read.foot, values.foot);
}

void ReportDialogTest::writeFailureIsShown() {
    ui::setHtmlReportWriterForTesting([](const Game&, const std::string& path, const ReportSettings&) {
        throw FileError(path, "Permission denied");
    });
    Game game = reportGame();
    DialogScript script;
    script.dialog([](QDialog& d) {
        retype(child<QLineEdit>(d, "title"), QStringLiteral("New"));
        click(d, "ok");
    });
    script.saveFile(QStringLiteral("/ro/cup.html"));
    ui::runHtmlOutputCommand(game, script, "", [] { return true; });
    QCOMPARE(script.messages.size(), std::size_t{1});
    QCOMPARE(script.messages[0].icon, ui::Interaction::Icon::Warning);
    QCOMPARE(script.messages[0].text, QStringLiteral("/ro/cup.html\nPermission denied"));
    QCOMPARE(game.report.title, std::string("New"));  // what was stored stays stored
}

// Unlike the ranges, the page choice comes back as it was left; choosing the
// members' page keeps every control of the legacy one, and only 詳細, which
// it always carries, is off.
void ReportDialogTest::pageChoiceIsRemembered() {
    Game game = reportGame();
    DialogScript script;
    script.dialog([](QDialog& d) {
        QVERIFY(child<QRadioButton>(d, "pageLegacy")->isChecked());
        QVERIFY(!child<QCheckBox>(d, "picture")->isChecked());
        QVERIFY(child<QCheckBox>(d, "memberDetails")->isEnabled());
        click(d, "pagePhone");
        QVERIFY(!child<QCheckBox>(d, "memberDetails")->isEnabled());
        for (const char* control : {"title", "date", "editor", "topImage", "leftImage", "rightImage", "backgroundImage"})
            QVERIFY(child<QLineEdit>(d, control)->isEnabled());
        for (const char* control : {"memberRange0", "memberRange1", "memberRange2", "teamRange0", "teamRange1", "teamRange2"})
            QVERIFY(child<QRadioButton>(d, control)->isEnabled());
        click(d, "picture");
        click(d, "ok");
    });
    script.saveFile(QStringLiteral("/tmp/out.html"));
    ui::runHtmlOutputCommand(game, script, "", [] { return true; });
    QCOMPARE(game.page, (PageChoice{PageChoice::Kind::phone, true}));

    script.dialog([](QDialog& d) {
        QVERIFY(child<QRadioButton>(d, "pagePhone")->isChecked());
        QVERIFY(child<QCheckBox>(d, "picture")->isChecked());
        QVERIFY(!child<QCheckBox>(d, "memberDetails")->isEnabled());
        click(d, "pageLegacy");
        QVERIFY(child<QCheckBox>(d, "memberDetails")->isEnabled());
    });  // cancelled: the choice stays
    ui::runHtmlOutputCommand(game, script, "", [] { return true; });
    QCOMPARE(game.page, (PageChoice{PageChoice::Kind::phone, true}));
    QVERIFY(script.finished());
}

// With the real writer: the chosen page's bytes, and the picture as a PNG
// 1080 px wide beside it under the page's name.
void ReportDialogTest::chosenPageAndPictureAreWritten() {
    ui::setHtmlReportWriterForTesting(nullptr);
    QTemporaryDir dir;
    const QString pagePath = dir.filePath(QStringLiteral("cup.html"));
    const struct {
        const char* kind;
        bool picture;
    } cases[] = {{"pageLegacy", false}, {"pagePhone", true}, {"pageLegacy", true}};
    for (const auto& c : cases) {
        QFile::remove(dir.filePath(QStringLiteral("cup.png")));
        Game game = reportGame();
        DialogScript script;
        script.dialog([&](QDialog& d) {
            click(d, c.kind);
            if (child<QCheckBox>(d, "picture")->isChecked() != c.picture) click(d, "picture");
            click(d, "ok");
        });
        script.saveFile(pagePath);
        ui::runHtmlOutputCommand(game, script, "", [] { return true; });
        QVERIFY(script.messages.empty());
        const std::string written = readWholeFile(QFile::encodeName(pagePath).toStdString());
        QCOMPARE(written, std::string(c.kind) == "pagePhone" ? phonePageBytes(game, game.report)
                                                              : htmlReportBytes(game, game.report));
        const QImage picture(dir.filePath(QStringLiteral("cup.png")));
        QCOMPARE(picture.isNull(), !c.picture);
        if (c.picture) QCOMPARE(picture.width(), 1080);
    }
    QCOMPARE(ui::picturePath(QStringLiteral("/a.b/cup")), QStringLiteral("/a.b/cup.png"));
    QCOMPARE(ui::picturePath(QStringLiteral("/a/cup.page.htm")), QStringLiteral("/a/cup.page.png"));
}

QTEST_MAIN(ReportDialogTest)
#include "report_dialog_test.moc"
