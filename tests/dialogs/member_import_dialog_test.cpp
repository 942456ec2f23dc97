#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "gamefile/game_file.h"
#include "model/today_text.h"
#include "tests/dialogs/dialog_script.h"
#include "text/sjis_codec.h"
#include "ui/dialogs/member_import_command.h"
#include "ui/dialogs/member_import_dialog.h"

using namespace scorvale;
using namespace scorvale::testing;
using scorvale::ui::MemberImportDialog;

namespace {

const std::string kFixtures = SCORVALE_SOURCE_DIR "/tests/fixtures/members/";

Game exampleGame() {
    Game game;
    loadGame(game, SCORVALE_SOURCE_DIR "/examples/worldcup2002.svl", ReadAll);
    return game;
}

QString cell(QTableView* view, int row, int column, int role = Qt::DisplayRole) {
    return view->model()->index(row, column).data(role).toString();
}

// Row `row` of the preview as "line|state|name|date|vote|vote...".
QString previewRow(QWidget& dialog, int row) {
    auto* view = child<QTableView>(dialog, "preview");
    QStringList cells;
    for (int c = 0; c < view->model()->columnCount(); ++c) cells << cell(view, row, c);
    while (!cells.isEmpty() && cells.back().isEmpty()) cells.pop_back();
    return cells.join(u'|');
}

QString countsOf(QWidget& dialog) { return child<QLabel>(dialog, "counts")->text(); }

std::string members(const Game& game, int first) {
    std::string out;
    for (int k = first; k < game.memberCount(); ++k) out += sjis::toUtf8(game.memberAt(k).name.view()) + ";";
    return out;
}

}  // namespace

class MemberImportDialogTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setTodayTextForTesting("26/06/10"); }
    void opensTheFormWithItsTimestampColumnAndMarksEachRow();
    void changingTheNameColumnReplansAtOnce();
    void encodingAndHeaderReread();
    void cancelChangesNothing();
    void okAddsAndReplacesTheMembers();
    void unreadableFilesWarnAndLeaveTheGame();
    void asksForTheFileWithoutAPath();

private:
    std::string write(const char* name, const std::string& bytes) {
        const QString path = dir_.filePath(QString::fromLatin1(name));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", name);
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return QFile::encodeName(path).toStdString();
    }
    QTemporaryDir dir_;
};

void MemberImportDialogTest::opensTheFormWithItsTimestampColumnAndMarksEachRow() {
    Game game = exampleGame();
    DialogScript script;
    script.dialog([](QDialog& d) {
        QCOMPARE(d.windowTitle(), "参加者の取り込み");
        QCOMPARE(child<QComboBox>(d, "dateColumn")->currentText(), "1列目: タイムスタンプ");
        QCOMPARE(child<QComboBox>(d, "nameColumn")->currentText(), "2列目: お名前");
        QCOMPARE(child<QComboBox>(d, "firstVoteColumn")->currentText(), "3列目: 1位");
        // The comment column after the picks is no pick.
        QCOMPARE(child<QComboBox>(d, "lastVoteColumn")->currentText(), "8列目: ひとこと");
        child<QComboBox>(d, "lastVoteColumn")->setCurrentIndex(6);
        QCOMPARE(countsOf(d), "追加 4人　置き換え 0人　取り込まない 2人　問題 4件");

        auto* view = child<QTableView>(d, "preview");
        QCOMPARE(view->model()->rowCount(), 6);
        QCOMPARE(previewRow(d, 0), "2|追加|佐々木, 花子|26/06/01|ブラジル|ドイツ|日本|韓国|フランス");
        QCOMPARE(cell(view, 0, 4, Qt::ToolTipRole), "「Brazil」→ ブラジル");
        QCOMPARE(previewRow(d, 2), "5|追加|岡田　武史|26/06/02|日本|セネガル|トルコ|Atlantis");
        QCOMPARE(cell(view, 2, 7, Qt::ToolTipRole), "「Atlantis」に当たるチームがありません。書かれたまま取り込みます。");
        QVERIFY(view->model()->index(2, 7).data(Qt::BackgroundRole).isValid());
        QVERIFY(!view->model()->index(2, 6).data(Qt::BackgroundRole).isValid());
        QCOMPARE(cell(view, 3, 1, Qt::ToolTipRole), "4列目: 空の投票欄です。後の投票を前に詰めます。");
        QCOMPARE(previewRow(d, 4), "7|取り込まない|山本 拓也|26/06/03|ブラジル|ドイツ|トルコ|韓国|スペイン");
        QCOMPARE(cell(view, 4, 2, Qt::ToolTipRole), "「山本 拓也」はすでに参加者です。この行は飛ばします。");
        const QVariant skipped = view->model()->index(4, 6).data(Qt::BackgroundRole);
        QVERIFY(skipped.isValid());
        QCOMPARE(cell(view, 5, 2, Qt::ToolTipRole), "「佐々木, 花子」は2行目にもあります。この行は飛ばします。");

        child<QCheckBox>(d, "replace")->setChecked(true);
        QCOMPARE(countsOf(d), "追加 4人　置き換え 1人　取り込まない 1人　問題 3件");
        QCOMPARE(cell(view, 4, 1), "置き換え");
        QCOMPARE(cell(view, 0, 1), "取り込まない");
        QVERIFY(view->model()->index(4, 2).data(Qt::BackgroundRole) != skipped);
    });
    QVERIFY(!ui::importMembersByDialog(game, script, kFixtures + "form.csv"));
    QVERIFY(script.finished());
}

void MemberImportDialogTest::changingTheNameColumnReplansAtOnce() {
    Game game = exampleGame();
    const std::string path = write("ids.csv", "ID,名前,1位,2位\r\n1,山田,Japan,Brazil\r\n2,鈴木,Germany,Atlantis\r\n");
    DialogScript script;
    script.dialog([](QDialog& d) {
        QCOMPARE(previewRow(d, 0), "2|追加|1|26/06/10|山田|日本|ブラジル");
        child<QComboBox>(d, "nameColumn")->setCurrentIndex(1);
        QCOMPARE(child<QComboBox>(d, "firstVoteColumn")->currentText(), "3列目: 1位");
        QCOMPARE(previewRow(d, 0), "2|追加|山田|26/06/10|日本|ブラジル");
        QCOMPARE(previewRow(d, 1), "3|追加|鈴木|26/06/10|ドイツ|Atlantis");
        QCOMPARE(countsOf(d), "追加 2人　置き換え 0人　取り込まない 0人　問題 1件");

        // Choices that contradict each other: no plan, no OK, and why.
        child<QComboBox>(d, "firstVoteColumn")->setCurrentIndex(0);
        QVERIFY(!child<QPushButton>(d, "ok")->isEnabled());
        QCOMPARE(child<QTableView>(d, "preview")->model()->rowCount(), 0);
        QVERIFY(child<QLabel>(d, "error")->text().contains("the vote columns hold the name column"));
        child<QComboBox>(d, "firstVoteColumn")->setCurrentIndex(2);
        QVERIFY(child<QPushButton>(d, "ok")->isEnabled());
        click(d, "ok");
    });
    QVERIFY(ui::importMembersByDialog(game, script, path));
    QCOMPARE(members(game, 12), "山田;鈴木;");
}

void MemberImportDialogTest::encodingAndHeaderReread() {
    Game game = exampleGame();
    DialogScript script;
    script.dialog([](QDialog& d) {
        // Excel's export starts with a member, whose picks name teams: no header.
        QVERIFY(!child<QCheckBox>(d, "header")->isChecked());
        QCOMPARE(child<QComboBox>(d, "nameColumn")->currentText(), "1列目 (中田 英寿)");
        QCOMPARE(previewRow(d, 0), "1|追加|中田 英寿|26/06/10|日本|ブラジル|ドイツ|イタリア|アルゼンチン");
        child<QCheckBox>(d, "header")->setChecked(true);
        QCOMPARE(child<QComboBox>(d, "nameColumn")->currentText(), "1列目: 中田 英寿");
        QCOMPARE(previewRow(d, 0), "2|追加|稲本　潤一|26/06/10|日本|セネガル|トルコ|カメルーン|チュニジア");
        child<QCheckBox>(d, "header")->setChecked(false);
        child<QComboBox>(d, "encoding")->setCurrentIndex(1);  // UTF-8
        QCOMPARE(countsOf(d), "追加 0人　置き換え 0人　取り込まない 4人　問題 4件");
        child<QComboBox>(d, "encoding")->setCurrentIndex(2);  // CP932
        QCOMPARE(previewRow(d, 3), "4|追加|宮本 恒靖|26/06/10|ｱﾄﾗﾝﾃｨｽ|日本");
        click(d, "ok");
    });
    QVERIFY(ui::importMembersByDialog(game, script, kFixtures + "excel.csv"));
    QCOMPARE(members(game, 12), "中田 英寿;稲本　潤一;髙原 直泰;宮本 恒靖;");
}

void MemberImportDialogTest::cancelChangesNothing() {
    Game game = exampleGame();
    const Game before = game;
    DialogScript script;
    script.dialog([](QDialog& d) {
        child<QCheckBox>(d, "replace")->setChecked(true);
        click(d, "cancel");
    });
    QVERIFY(!ui::importMembersByDialog(game, script, kFixtures + "form.csv"));
    QVERIFY(game.members() == before.members());
    QVERIFY(game.settings == before.settings);
    QVERIFY(script.messages.empty());
}

void MemberImportDialogTest::okAddsAndReplacesTheMembers() {
    Game game = exampleGame();
    const int yamamoto = game.findMemberByName(*sjis::fromUtf8("山本 拓也"));
    DialogScript script;
    script.dialog([](QDialog& d) {
        child<QComboBox>(d, "lastVoteColumn")->setCurrentIndex(6);
        child<QCheckBox>(d, "replace")->setChecked(true);
        auto& dialog = static_cast<MemberImportDialog&>(d);
        QCOMPARE(dialog.options().lastVoteColumn, 7u);
        QVERIFY(dialog.options().replace);
        click(d, "ok");
    });
    QVERIFY(ui::importMembersByDialog(game, script, kFixtures + "form.csv"));
    QCOMPARE(members(game, 12), "大野 \"ゴン\" 一郎;岡田　武史;石井, 智;佐々木, 花子;");
    QCOMPARE(game.memberAt(yamamoto).date.str(), "26/06/03");
    QCOMPARE(game.settings.date, "26/06/10");
}

void MemberImportDialogTest::unreadableFilesWarnAndLeaveTheGame() {
    const std::string quote = write("quote.csv", "名前,1\n山田,日本\n\"鈴木,日本\n");
    const std::string missing = QFile::encodeName(dir_.filePath(QStringLiteral("missing.csv"))).toStdString();
    const std::pair<std::string, QString> cases[] = {
        {quote, "line 3, column 1: a quoted field is not closed"},
        {write("empty.csv", ""), "the file is empty"},
        {missing, ""},
    };
    for (const auto& [path, reason] : cases) {
        Game game = exampleGame();
        const Game before = game;
        DialogScript script;
        QVERIFY(!ui::importMembersByDialog(game, script, path));
        QVERIFY(script.finished());
        QCOMPARE(script.messages.size(), std::size_t{1});
        const auto& m = script.messages.front();
        QCOMPARE(m.icon, ui::Interaction::Icon::Warning);
        QCOMPARE(m.caption, "参加者の取り込み");
        QVERIFY2(m.text.startsWith(QFile::decodeName(path.c_str()) + u'\n'), qPrintable(m.text));
        QVERIFY2(m.text.endsWith(reason), qPrintable(m.text));
        QVERIFY(game.members() == before.members());
    }
}

void MemberImportDialogTest::asksForTheFileWithoutAPath() {
    Game game = exampleGame();
    DialogScript script;
    script.openFile(std::nullopt);
    QVERIFY(!ui::importMembersByDialog(game, script));
    QCOMPARE(script.openRequests, QStringList{"CSV (*.csv);;すべてのファイル (*)"});

    script.openFile(QString::fromStdString(kFixtures + "excel.csv")).dialog([](QDialog& d) { click(d, "ok"); });
    QVERIFY(ui::importMembersByDialog(game, script));
    QCOMPARE(game.memberCount(), 16);
    QVERIFY(script.finished());
}

QTEST_MAIN(MemberImportDialogTest)
#include "member_import_dialog_test.moc"
