#pragma once

#include <QWidget>

#include "ui/main_controller.h"

class QAction;
class QPushButton;
class QTableView;
class QLabel;

namespace scorvale::ui {

// The whole visible program: seven command buttons and a picture in a strip
// on the left, the team list above the member list on the right.
class MainWindow : public QWidget, private WindowView {
    Q_OBJECT
public:
    explicit MainWindow(Interaction& interaction, QWidget* parent = nullptr);

    // The command buttons of the strip, from top to bottom.
    enum class Command { load, password, settings, addTeam, addMember, htmlOutput, save };
    static constexpr int kCommandCount = 7;

    // The commands of the strip's context menu, also reached by their keys.
    enum class Action { undo, redo, saveToCurrentFile, newGame, standingsCsv };
    static constexpr int kActionCount = 5;

    MainController& controller() { return controller_; }
    QAction* action(Action a) const { return actions_[static_cast<int>(a)]; }
    // Undo and redo name their steps and are enabled as they can run.
    void showSteps();
    QTableView* teamList() const { return teamList_; }
    QTableView* memberList() const { return memberList_; }
    QPushButton* button(Command command) const { return buttons_[static_cast<int>(command)]; }
    void showAbout();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void setCaption(const QString& caption) override;
    void setAdminCommandsEnabled(bool enabled) override;
    void commandEnded() override;
    void layoutLists();
    // The size the window opens at, before the screen has its say.
    QSize roomySize() const;
    template <typename Model>
    QTableView* makeList(Model* model);

    Interaction& interaction_;
    MainController controller_;
    QWidget* strip_;
    QPushButton* buttons_[kCommandCount];
    QAction* actions_[kActionCount];
    QLabel* picture_;
    QTableView* teamList_;
    QTableView* memberList_;
};

}  // namespace scorvale::ui
