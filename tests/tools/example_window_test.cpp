// The example game opened in the program, and svltool's tables beside the
// window's lists.
#include <QAbstractItemModel>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "gamefile/game_file.h"
#include "gamefile/safe_file.h"

#include "tests/support/scripted_interaction.h"
#include "tests/tools/run_tool.h"
#include "ui/main_window.h"

using Cmd = scorvale::ui::MainWindow::Command;

using namespace scorvale;
using namespace scorvale::testing;

namespace {

const QString kExample = QStringLiteral(SOURCE_ROOT "/examples/worldcup2002.svl");

// The list as svltool prints a table: captions, then one line per row.
QString asTable(const QTableView* view) {
    const QAbstractItemModel* model = view->model();
    QString text;
    for (int c = 0; c < model->columnCount(); ++c)
        text += (c ? QStringLiteral("\t") : QString()) + model->headerData(c, Qt::Horizontal).toString();
    text += QLatin1Char('\n');
    for (int r = 0; r < model->rowCount(); ++r) {
        for (int c = 0; c < model->columnCount(); ++c)
            text += (c ? QStringLiteral("\t") : QString()) + model->index(r, c).data().toString();
        text += QLatin1Char('\n');
    }
    return text;
}

}  // namespace

class ExampleWindowTest : public QObject {
    Q_OBJECT

private slots:
    void exampleOpensAsSvltoolShowsIt() {
        ScriptedInteraction user;
        user.dialogAnswers = {ScriptedInteraction::ok()};  // a new load, as the dialog opens
        user.fileAnswers = {kExample};
        ui::MainWindow w(user);
        QTest::mouseClick(w.button(Cmd::load), Qt::LeftButton);

        QVERIFY(user.messages.empty());
        QCOMPARE(w.windowTitle(), QStringLiteral("Scorvale! [ワールドカップ2002 優勝予想]"));
        QCOMPARE(w.teamList()->model()->rowCount(), 32);
        QCOMPARE(w.memberList()->model()->rowCount(), 12);
        QVERIFY(w.controller().editingUnlocked());
        QCOMPARE(w.teamList()->model()->index(0, 0).data().toString(), QStringLiteral("ブラジル"));

        const RunResult tool = runTool({"standings", QFile::encodeName(kExample).toStdString()});
        QCOMPARE(tool.status, 0);
        const QString window = asTable(w.teamList()) + QLatin1Char('\n') + asTable(w.memberList());
        QCOMPARE(window, QString::fromStdString(tool.out));
    }

    // HTML出力 with the members' page chosen and the dialog as it opens, and
    // svltool page: the same bytes. The picture: the PNG the window saves and
    // the SVG svltool writes show the same standings.
    void membersPageAsSvltoolWritesIt() {
        QTemporaryDir dir;
        const QString windowPage = dir.filePath(QStringLiteral("window.html"));
        ScriptedInteraction user;
        user.dialogAnswers = {ScriptedInteraction::ok(), [](QDialog& d) {
                                  d.findChild<QRadioButton*>(QStringLiteral("pagePhone"))->click();
                                  d.findChild<QAbstractButton*>(QStringLiteral("picture"))->click();
                                  return true;
                              }};
        user.fileAnswers = {kExample, windowPage};
        ui::MainWindow w(user);
        QTest::mouseClick(w.button(Cmd::load), Qt::LeftButton);
        QTest::mouseClick(w.button(Cmd::htmlOutput), Qt::LeftButton);
        QVERIFY(user.messages.empty());

        const std::string toolPage = QFile::encodeName(dir.filePath(QStringLiteral("tool.html"))).toStdString();
        const std::string toolPicture = QFile::encodeName(dir.filePath(QStringLiteral("tool.svg"))).toStdString();
        const RunResult tool =
            runTool({"page", QFile::encodeName(kExample).toStdString(), "-o", toolPage, "--image", toolPicture});
        QCOMPARE(tool.status, 0);
        const std::string page = readWholeFile(QFile::encodeName(windowPage).toStdString());
        QVERIFY(page.find("<html lang=\"ja\">") != std::string::npos);
        QVERIFY(page == readWholeFile(toolPage));

        // The choice goes into the game file and comes back from it.
        Game reloaded;
        loadGameBytes(reloaded, gameFileBytes(w.controller().game()), ReadAll);
        QCOMPARE(reloaded.page, (PageChoice{PageChoice::Kind::phone, true}));

        const QImage fromWindow(dir.filePath(QStringLiteral("window.png")));
        const QImage fromTool(QString::fromStdString(toolPicture));
        QCOMPARE(fromWindow.width(), 1080);
        QCOMPARE(fromWindow.size(), fromTool.size());
    }
};

QTEST_MAIN(ExampleWindowTest)
#include "example_window_test.moc"
