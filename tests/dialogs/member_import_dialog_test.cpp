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
#include "ui/dialogs/member_spelling_model.h"
#include "ui/dialogs/member_import_texts.h"
#include "ui/input_problem_text.h"

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

// Row `row` of any table view as "cell|cell|...".
QString previewLine(QTableView* view, int row) {
    QStringList cells;
    for (int c = 0; c < view->model()->columnCount(); ++c) cells << cell(view, row, c);
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
    void mapsASpellingForEveryRowThatHasIt();
    void saysHowTheFileWasReadAndRereadsOnAnotherSeparator();
    void okWaitsForSomethingToImport();
    void everyProblemIsWordedInJapanese();

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
        QCOMPARE(child<QComboBox>(d, "lastVoteColumn")->currentText(), "7列目: 5位");
        QCOMPARE(child<QLabel>(d, "unusedColumns")->text(), "取り込まない列: 8列目: ひとこと（コメント）");
        QCOMPARE(child<QLabel>(d, "encodingInfo")->text(), "UTF-8（BOMがあるため）");
        QCOMPARE(child<QLabel>(d, "separatorInfo")->text(), "カンマ（ファイルから判定）");
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
        // The numbering is no name.
        QCOMPARE(child<QComboBox>(d, "nameColumn")->currentText(), "2列目: 名前");
        QCOMPARE(previewRow(d, 0), "2|追加|山田|26/06/10|日本|ブラジル");
        QCOMPARE(previewRow(d, 1), "3|追加|鈴木|26/06/10|ドイツ|Atlantis");
        QCOMPARE(countsOf(d), "追加 2人　置き換え 0人　取り込まない 0人　問題 1件");
        QCOMPARE(child<QLabel>(d, "unusedColumns")->text(), "取り込まない列: 1列目: ID（番号）");

        child<QComboBox>(d, "nameColumn")->setCurrentIndex(0);
        QCOMPARE(child<QComboBox>(d, "firstVoteColumn")->currentText(), "2列目: 名前");
        QCOMPARE(previewRow(d, 0), "2|追加|1|26/06/10|山田|日本|ブラジル");

        // Choices that contradict each other: no plan, no OK, and why, in Japanese.
        child<QComboBox>(d, "firstVoteColumn")->setCurrentIndex(0);
        QVERIFY(!child<QPushButton>(d, "ok")->isEnabled());
        QCOMPARE(child<QTableView>(d, "preview")->model()->rowCount(), 0);
        QCOMPARE(child<QLabel>(d, "error")->text(), "取り込めません: 投票の列に参加者名の列が入っています。");
        child<QComboBox>(d, "nameColumn")->setCurrentIndex(1);
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
        // Read as UTF-8 no name is readable: nothing to import, OK disabled, and why.
        child<QComboBox>(d, "encoding")->setCurrentIndex(1);  // UTF-8
        QVERIFY(child<QLabel>(d, "encodingInfo")->text().startsWith("UTF-8（指定どおり）。"));
        QVERIFY(countsOf(d).startsWith("追加 0人　置き換え 0人"));
        QVERIFY(!child<QPushButton>(d, "ok")->isEnabled());
        QVERIFY(child<QLabel>(d, "error")->text().startsWith("取り込めません: 取り込める行がありません"));
        QCOMPARE(cell(child<QTableView>(d, "preview"), 0, 1, Qt::ToolTipRole),
                 "1列目: UTF-8でもShift-JISでも読めないバイトがあります。この行は取り込みません。");
        child<QComboBox>(d, "encoding")->setCurrentIndex(2);  // CP932
        QVERIFY(!child<QCheckBox>(d, "header")->isChecked());
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
        {quote, "3行目1列目: 引用符（\"）で始まる欄が閉じていません。"},
        {write("empty.csv", ""), "ファイルが空です。"},
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
    QCOMPARE(script.openRequests, QStringList{"CSV・テキスト (*.csv *.txt *.tsv);;すべてのファイル (*)"});

    script.openFile(QString::fromStdString(kFixtures + "excel.csv")).dialog([](QDialog& d) { click(d, "ok"); });
    QVERIFY(ui::importMembersByDialog(game, script));
    QCOMPARE(game.memberCount(), 16);
    QVERIFY(script.finished());
}

// The 34 members' form: "サウジ" is written in 11 picks; one choice maps all.
void MemberImportDialogTest::mapsASpellingForEveryRowThatHasIt() {
    Game game = exampleGame();
    DialogScript script;
    script.dialog([&game](QDialog& d) {
        auto& dialog = static_cast<MemberImportDialog&>(d);
        QCOMPARE(countsOf(d), "追加 33人　置き換え 0人　取り込まない 1人　問題 17件");
        auto* view = child<QTableView>(d, "spellings");
        QCOMPARE(view->model()->rowCount(), 3);
        QCOMPARE(previewLine(view, 0), "サウジ|11|書かれたまま|サウジアラビア");
        QCOMPARE(previewLine(view, 1), "アルゼンチソ|2|書かれたまま|アルゼンチン");
        QVERIFY(child<QLabel>(d, "spellingsLabel")->text().startsWith(u"チームに当たらない書き方 3（うち書かれたまま 3）"));

        // Chosen as the user does: the cell's combo box, its suggestion first.
        const QModelIndex team = view->model()->index(0, ui::MemberSpellingModel::TeamColumn);
        view->setCurrentIndex(team);
        view->edit(team);
        auto* box = view->findChild<QComboBox*>(QStringLiteral("teamChoice"));
        QVERIFY(box);
        QCOMPARE(box->itemText(1), "サウジアラビア（候補）");
        box->setCurrentIndex(1);
        emit box->activated(1);
        QCOMPARE(previewLine(view, 0), "サウジ|11|サウジアラビア|サウジアラビア");
        QCOMPARE(countsOf(d), "追加 33人　置き換え 0人　取り込まない 1人　問題 6件");
        QCOMPARE(dialog.options().names.size(), std::size_t{1});

        // Through the model as well, the other way: back to as written, then a team.
        QVERIFY(view->model()->setData(view->model()->index(1, ui::MemberSpellingModel::TeamColumn), -1));
        QVERIFY(view->model()->setData(view->model()->index(2, ui::MemberSpellingModel::TeamColumn),
                                       game.findTeamByName(*sjis::fromUtf8("イングランド"))));
        QCOMPARE(countsOf(d), "追加 33人　置き換え 0人　取り込まない 1人　問題 3件");
        for (int row = 0; row < child<QTableView>(d, "preview")->model()->rowCount(); ++row)
            QVERIFY(!previewRow(d, row).contains(u"|サウジ|") && !previewRow(d, row).endsWith(u"|サウジ"));
        click(d, "ok");
    });
    QVERIFY(ui::importMembersByDialog(game, script, kFixtures + "exports/pool34.csv"));
    int saudi = 0;
    for (int k = 12; k < game.memberCount(); ++k) {
        const Member& m = game.memberAt(k);
        for (int v = 0; v < m.voteCount(); ++v) {
            const std::string vote = sjis::toUtf8(m.vote(v));
            QVERIFY2(vote != "サウジ" && vote != "イングラント", vote.c_str());
            saudi += vote == "サウジアラビア";
        }
    }
    QVERIFY(saudi >= 11);
}

void MemberImportDialogTest::saysHowTheFileWasReadAndRereadsOnAnotherSeparator() {
    Game game = exampleGame();
    DialogScript script;
    script.dialog([](QDialog& d) {
        QCOMPARE(child<QLabel>(d, "encodingInfo")->text(),
                 "UTF-8（UTF-8の文字が64字、UTF-8でないバイトは5バイトだけのため）。1個の欄はShift-JISとして読みました: "
                 "2行目6列目");
        QCOMPARE(child<QLabel>(d, "unusedColumns")->text(), "取り込まない列: 6列目: コメント（コメント）");
        click(d, "cancel");
    });
    QVERIFY(!ui::importMembersByDialog(game, script, kFixtures + "exports/utf8_with_cp932_comment.csv"));

    script.dialog([](QDialog& d) {
        QCOMPARE(child<QLabel>(d, "separatorInfo")->text(), "セミコロン（ファイルから判定）");
        QCOMPARE(previewRow(d, 0), "2|追加|Mueller, Thomas|26/06/10|ドイツ|ブラジル|スペイン");
        // Read at its commas it is another file: guessed again.
        child<QComboBox>(d, "separator")->setCurrentIndex(1);
        QCOMPARE(child<QLabel>(d, "separatorInfo")->text(), "カンマ");
        QCOMPARE(child<QComboBox>(d, "nameColumn")->count(), 2);
        child<QComboBox>(d, "separator")->setCurrentIndex(0);
        QCOMPARE(previewRow(d, 2), "4|追加|Rossi, Paolo|26/06/10|イタリア|アルゼンチン|ブラジル");
        click(d, "ok");
    });
    QVERIFY(ui::importMembersByDialog(game, script, kFixtures + "exports/semicolon.csv"));
    QCOMPARE(members(game, 12), "Mueller, Thomas;Schmidt, Anna;Rossi, Paolo;");
}

void MemberImportDialogTest::okWaitsForSomethingToImport() {
    Game game = exampleGame();
    const Game before = game;
    const std::string known = write("known.csv", "名前,1位\n山本 拓也,日本\n田中 由美,日本\n");
    const std::string nameless = write("nameless.csv", "タイムスタンプ,メール,1位\n2026/06/01 9:00,a@example.jp,Japan\n"
                                                       "2026/06/01 9:10,b@example.jp,Brazil\n");
    DialogScript script;
    script.dialog([](QDialog& d) {
        QVERIFY(!child<QPushButton>(d, "ok")->isEnabled());
        QCOMPARE(child<QLabel>(d, "error")->text(),
                 "取り込めません: 取り込める行がありません（2行すべて取り込みません）。各行の「状態」にその理由があります。");
        click(d, "ok");  // ignored
        child<QCheckBox>(d, "replace")->setChecked(true);
        QVERIFY(child<QPushButton>(d, "ok")->isEnabled());
        QVERIFY(child<QLabel>(d, "error")->isHidden());
        click(d, "cancel");
    });
    script.dialog([](QDialog& d) {
        QCOMPARE(child<QComboBox>(d, "nameColumn")->currentIndex(), -1);
        QCOMPARE(child<QLabel>(d, "error")->text(),
                 "取り込めません: 参加者名の列が見つかりません。「参加者名の列」で選んでください。");
        QVERIFY(!child<QPushButton>(d, "ok")->isEnabled());
        click(d, "cancel");
    });
    QVERIFY(!ui::importMembersByDialog(game, script, known));
    QVERIFY(!ui::importMembersByDialog(game, script, nameless));
    QVERIFY(script.finished());
    QVERIFY(game.members() == before.members());
}

// A kind added without its words would show an empty or English message.
void MemberImportDialogTest::everyProblemIsWordedInJapanese() {
    using Kind = text::InputProblem::Kind;
    using OptionKind = imports::MemberOptionsError::Kind;
    QStringList texts;
    for (int k = 0; k <= static_cast<int>(Kind::emptyName); ++k)
        texts << ui::inputProblemText({static_cast<Kind>(k), 4, 2, "日本", 32 * 1024 * 1024});
    for (int k = 0; k <= static_cast<int>(OptionKind::votesHoldDate); ++k)
        texts << ui::optionsErrorText(static_cast<OptionKind>(k));
    for (int k = 0; k <= static_cast<int>(imports::MemberProblem::Kind::badDate); ++k) {
        imports::MemberProblem problem;
        problem.kind = static_cast<imports::MemberProblem::Kind>(k);
        problem.line = 4;
        problem.column = 2;
        problem.text = "日本";
        texts << ui::problemText(problem);
    }
    const QRegularExpression english(QStringLiteral("[A-Za-z]{2,}"));
    for (QString t : texts) {
        QVERIFY2(t.size() > 8, qPrintable(t));
        for (const char* name : {"MB", "UTF", "Shift", "JIS", "CP"}) t.remove(QLatin1String(name));
        QVERIFY2(!t.contains(english), qPrintable(t));
    }
    QCOMPARE(texts.front(), "4行目2列目: 引用符（\"）で始まる欄が閉じていません。");
}

QTEST_MAIN(MemberImportDialogTest)
#include "member_import_dialog_test.moc"
