// The example game opened in the program, and svltool's tables beside the
// window's lists.
#include <QAbstractItemModel>
#include <QFile>
#include <QPushButton>
#include <QTableView>
#include <QTest>

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
};

QTEST_MAIN(ExampleWindowTest)
#include "example_window_test.moc"
