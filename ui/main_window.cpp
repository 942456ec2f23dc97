#include "ui/main_window.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QAction>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <optional>

#include "ui/about_box.h"
#include "ui/core_path.h"
#include "ui/pictures.h"
#include "ui/window_placement.h"

namespace scorvale::ui {

namespace {
constexpr int kStripWidth = 105;
constexpr int kMargin = 12;

// The strip left of the lists; its context menu holds the commands beyond
// the buttons: undo and redo, saving to the current file, a new game, the
// standings as CSV, the imports (while editing is unlocked) and the about
// item that a system menu would hold where the window manager lends none.
class CommandStrip : public QWidget {
public:
    CommandStrip(QWidget* parent, MainWindow* window) : QWidget(parent), window_(window) {}

protected:
    void contextMenuEvent(QContextMenuEvent* event) override {
        MainController& controller = window_->controller();
        window_->showSteps();
        QMenu menu(this);
        menu.setSeparatorsCollapsible(false);
        using A = MainWindow::Action;
        menu.addActions({window_->action(A::undo), window_->action(A::redo)});
        menu.addSeparator();
        menu.addActions({window_->action(A::saveToCurrentFile), window_->action(A::newGame),
                         window_->action(A::standingsCsv)});
        menu.addSeparator();
        QAction* results = menu.addAction(QStringLiteral("試合結果の取り込み(&G)..."), this,
                                          [&controller] { controller.importResults(); });
        QAction* members = menu.addAction(QStringLiteral("参加者の取り込み(&I)..."), this,
                                          [&controller] { controller.importMembers(); });
        results->setEnabled(controller.editingUnlocked());
        members->setEnabled(controller.editingUnlocked());
        menu.addSeparator();
        menu.addAction(QStringLiteral("Scorvale のﾊﾞｰｼﾞｮﾝ情報(&A)..."), window_, &MainWindow::showAbout);
        menu.exec(event->globalPos());
    }

private:
    MainWindow* window_;
};

// A list that knows which button made the double click it reports: only the
// left one opens a row, as the member editor gives the right one a meaning.
class RowList : public QTableView {
public:
    using QTableView::QTableView;
    bool leftDoubleClick() const { return leftDoubleClick_; }

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        leftDoubleClick_ = event->button() == Qt::LeftButton;
        QTableView::mouseDoubleClickEvent(event);
        leftDoubleClick_ = false;
    }

private:
    bool leftDoubleClick_ = false;
};

bool leftDoubleClick(const QTableView* list) { return static_cast<const RowList*>(list)->leftDoubleClick(); }
// What a drop carries that the window takes: one local file, a game file to
// load, or a match list or members' CSV to import while editing is unlocked.
struct Dropped {
    QString path;
    bool gameFile;
};
std::optional<Dropped> droppedFile(const QMimeData* data, bool editingUnlocked) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return std::nullopt;
    const QUrl url = data->urls().constFirst();
    if (!url.isLocalFile()) return std::nullopt;
    const QString path = url.toLocalFile();
    const QString suffix = QFileInfo(path).suffix();
    const auto is = [&suffix](const char* s) { return suffix.compare(QLatin1String(s), Qt::CaseInsensitive) == 0; };
    if (is("svl")) return Dropped{path, true};
    if (editingUnlocked && (is("json") || is("csv"))) return Dropped{path, false};
    return std::nullopt;
}
}  // namespace

MainWindow::MainWindow(Interaction& interaction, QWidget* parent)
    : QWidget(parent), interaction_(interaction), controller_(interaction, *this) {
    setWindowTitle(QStringLiteral("Scorvale"));
    setWindowFlags(Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setMinimumSize(800, 340);
    setAcceptDrops(true);
    controller_.setDialogParent(this);

    strip_ = new CommandStrip(this, this);
    strip_->setGeometry(0, 0, kStripWidth, 2000);
    struct CommandButton {
        Command command;
        const char16_t* caption;
        void (MainController::*run)();
    };
    static constexpr CommandButton commands[kCommandCount] = {
        {Command::load, u"読み込み(&L)", &MainController::load},
        {Command::password, u"パスワード(&P)", &MainController::password},
        {Command::settings, u"設定(&R)", &MainController::settings},
        {Command::addTeam, u"チーム追加(&T)", &MainController::addTeam},
        {Command::addMember, u"参加者追加(&M)", &MainController::addMember},
        {Command::htmlOutput, u"HTML出力(&H)", &MainController::htmlOutput},
        {Command::save, u"保存(&S)", &MainController::save},
    };
    for (int i = 0; i < kCommandCount; ++i) {
        const CommandButton& c = commands[i];
        auto* b = new QPushButton(QString::fromUtf16(c.caption), strip_);
        b->setAutoDefault(false);
        b->setGeometry(9, 10 + 29 * i, 88, 24);
        const auto run = c.run;
        connect(b, &QPushButton::clicked, this, [this, run] { (controller_.*run)(); });
        buttons_[static_cast<int>(c.command)] = b;
    }
    button(Command::save)->setToolTip(QStringLiteral("保存先を選んで保存します（今のファイルへの上書き保存は Ctrl+S）"));
    picture_ = new QLabel(strip_);
    picture_->setGeometry(9, 10 + 29 * kCommandCount + 14, 88, 88);
    picture_->setPixmap(programPicture(QStringLiteral("picture")).pixmap(88, 88));

    teamList_ = makeList(&controller_.teamModel());
    memberList_ = makeList(&controller_.memberModel());
    connect(teamList_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int c) { controller_.teamHeaderClicked(c); });
    connect(memberList_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int c) { controller_.memberHeaderClicked(c); });
    connect(teamList_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (leftDoubleClick(teamList_)) controller_.editTeam(index.row());
    });
    connect(memberList_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (leftDoubleClick(memberList_)) controller_.editMember(index.row());
    });

    // The commands of the strip's menu, with their keys anywhere in the window.
    struct MenuCommand {
        Action action;
        const char16_t* caption;
        void (MainController::*run)();
        QList<QKeySequence> keys;
    };
    const MenuCommand menuCommands[kActionCount] = {
        {Action::undo, u"元に戻す", &MainController::undo, {QKeySequence(Qt::CTRL | Qt::Key_Z)}},
        {Action::redo, u"やり直し", &MainController::redo,
         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}},
        {Action::saveToCurrentFile, u"上書き保存", &MainController::saveToCurrentFile, {QKeySequence(Qt::CTRL | Qt::Key_S)}},
        {Action::newGame, u"新しいゲーム", &MainController::newGame, {}},
        {Action::standingsCsv, u"順位表をCSVで保存", &MainController::saveStandingsCsv, {}},
    };
    for (const MenuCommand& c : menuCommands) {
        auto* action = new QAction(QString::fromUtf16(c.caption), this);
        action->setShortcuts(c.keys);
        const auto run = c.run;
        connect(action, &QAction::triggered, this, [this, run] { (controller_.*run)(); });
        addAction(action);
        actions_[static_cast<int>(c.action)] = action;
    }
    showSteps();

    auto* about = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(about, &QShortcut::activated, this, &MainWindow::showAbout);
    setGeometry(firstWindowGeometry(roomySize(), minimumSize(), screen()->availableGeometry()));
    layoutLists();
}

// Twenty members in the lower list, and the team list's columns side by side
// without a scroll bar beneath them.
QSize MainWindow::roomySize() const {
    constexpr int kMembersShown = 20;
    const int frame = 2 * memberList_->frameWidth();
    const int list = memberList_->horizontalHeader()->sizeHint().height() +
                     kMembersShown * memberList_->verticalHeader()->defaultSectionSize() + frame;
    int columns = 0;
    for (const auto& column : lists::kTeamColumns) columns += column.width;
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, teamList_);
    return {kStripWidth + columns + frame + scrollBar + kMargin, 2 * kMargin + 2 * list};
}

template <typename Model>
QTableView* MainWindow::makeList(Model* model) {
    auto* view = new RowList(this);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setShowGrid(true);
    view->setSortingEnabled(false);
    view->setWordWrap(false);
    view->setFrameShape(QFrame::StyledPanel);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    QHeaderView* rows = view->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(view->fontMetrics().height() + 4);
    QHeaderView* header = view->horizontalHeader();
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setSortIndicatorShown(false);
    header->setStretchLastSection(false);
    header->setMinimumSectionSize(10);
    for (const auto& column : model->columns()) view->setColumnWidth(lists::columnIndex(column.id), column.width);
    return view;
}

void MainWindow::layoutLists() {
    const QRect area = rect().adjusted(kStripWidth, kMargin, -kMargin, -kMargin);
    const int half = area.height() / 2;
    teamList_->setGeometry(area.left(), area.top(), area.width(), half);
    memberList_->setGeometry(area.left(), area.top() + half, area.width(), area.height() - half);
    strip_->setGeometry(0, 0, kStripWidth, height());
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutLists();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    // Enter and Return do nothing here: no button is a default button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (controller_.confirmExit())
        event->accept();
    else
        event->ignore();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (droppedFile(event->mimeData(), controller_.editingUnlocked())) event->acceptProposedAction();
}

// A game file dropped on the window is the Load command with that file
// chosen: the load settings still ask whether to load anew or merge. A
// match list or a CSV starts the import it fits, with that file chosen.
void MainWindow::dropEvent(QDropEvent* event) {
    const std::optional<Dropped> dropped = droppedFile(event->mimeData(), controller_.editingUnlocked());
    if (!dropped) return;
    event->acceptProposedAction();
    // The command's dialogs run once the drop itself has ended.
    const std::string file = corePath(dropped->path);
    if (dropped->gameFile) QTimer::singleShot(0, this, [this, file] { controller_.loadDropped(file); });
    else QTimer::singleShot(0, this, [this, file] { controller_.importDropped(file); });
}

void MainWindow::setCaption(const QString& caption) { setWindowTitle(caption); }

void MainWindow::commandEnded() { showSteps(); }

void MainWindow::showSteps() {
    const auto show = [](QAction* action, const QString& verb, bool can, const QString& step) {
        action->setText(step.isEmpty() ? verb : verb + QStringLiteral(": ") + step);
        action->setEnabled(can);
    };
    show(action(Action::undo), QStringLiteral("元に戻す"), controller_.canUndo(), controller_.undoName());
    show(action(Action::redo), QStringLiteral("やり直し"), controller_.canRedo(), controller_.redoName());
}

void MainWindow::setAdminCommandsEnabled(bool enabled) {
    for (const Command c : {Command::settings, Command::addTeam, Command::htmlOutput}) button(c)->setEnabled(enabled);
}

void MainWindow::showAbout() {
    AboutBox box(this);
    interaction_.runDialog(box);
}

}  // namespace scorvale::ui
