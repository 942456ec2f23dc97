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

    MainController& controller() { return controller_; }
    QTableView* teamList() const { return teamList_; }
    QTableView* memberList() const { return memberList_; }
    // The seven buttons from top to bottom.
    QPushButton* button(int index) const { return buttons_[index]; }
    void showAbout();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void setCaption(const QString& caption) override;
    void setAdminCommandsEnabled(bool enabled) override;
    void layoutLists();
    QTableView* makeList(QAbstractItemModel* model, const ListColumn* columns, int count);

    Interaction& interaction_;
    MainController controller_;
    QWidget* strip_;
    QPushButton* buttons_[7];
    QLabel* picture_;
    QTableView* teamList_;
    QTableView* memberList_;
};

}  // namespace scorvale::ui
