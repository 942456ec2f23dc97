#pragma once

#include <QWidget>

#include "ui/main_controller.h"

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

    MainController& controller() { return controller_; }
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
    void layoutLists();
    template <typename Model>
    QTableView* makeList(Model* model);

    Interaction& interaction_;
    MainController controller_;
    QWidget* strip_;
    QPushButton* buttons_[kCommandCount];
    QLabel* picture_;
    QTableView* teamList_;
    QTableView* memberList_;
};

}  // namespace scorvale::ui
