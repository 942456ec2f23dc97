#pragma once

#include <QDialog>
#include <string>

#include "imports/team_filter.h"
#include "model/game.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;

namespace scorvale::ui {

class Interaction;

// "参加者編集": a member's name, image and ordered votes, edited on a copy.
// Besides the list gestures, buttons between the lists add the selected
// team, move the selected vote and remove it; the candidates can be
// narrowed by typing and show each team's group.
class MemberEditDialog : public QDialog {
public:
    MemberEditDialog(const Member& copy, const std::string& nameText, const Game& game, Interaction& interaction,
                     QWidget* parent = nullptr);

    // After OK: the copy (dated today) and the two texts as confirmed.
    const Member& member() const { return copy_; }
    const std::string& nameText() const { return nameText_; }
    const std::string& imageText() const { return imageText_; }
    int selectedVote() const { return selectedVote_; }

    // The list gestures, also reached by the mouse.
    void addCandidate(int teamRow);
    void selectVote(int row);
    void moveVoteUp(int row);
    void moveVoteDown(int row);
    void removeSelectedVote();
    void refreshVoteRows();

    // The buttons and their keys: the team selected in the candidates (Enter
    // there), the selected vote one place up or down (Alt+↑, Alt+↓), and
    // 削除 (Delete in the vote list).
    void addSelectedCandidate();
    void moveSelectedVoteUp();
    void moveSelectedVoteDown();

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Shows the candidates the filter text points to.
    void applyFilter();
    // The buttons that need a selection follow it.
    void updateButtons();
    // The vote list shows selectedVote_ as its selection.
    void showSelectedVote();
    void moveSelectedVote(int by);

    Member copy_;
    std::string nameText_;
    std::string imageText_;
    const Game& game_;
    Interaction& interaction_;
    imports::TeamFilter filter_;
    int selectedVote_ = -1;
    bool showingSelection_ = false;
    QLineEdit* name_;
    QLineEdit* image_;
    QLineEdit* filterText_;
    QListWidget* candidates_;
    QLabel* maxBetLabel_;
    QTreeWidget* votes_;
    QPushButton* add_;
    QPushButton* up_;
    QPushButton* down_;
    QPushButton* remove_;
};

}  // namespace scorvale::ui
