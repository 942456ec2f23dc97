#pragma once

#include <QDialog>
#include <string>

#include "model/game.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;

namespace scorvale::ui {

class Interaction;

// "参加者編集": a member's name, image and ordered votes, edited on a copy.
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

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Member copy_;
    std::string nameText_;
    std::string imageText_;
    const Game& game_;
    Interaction& interaction_;
    int selectedVote_ = -1;
    QLineEdit* name_;
    QLineEdit* image_;
    QListWidget* candidates_;
    QLabel* maxBetLabel_;
    QTreeWidget* votes_;
    QPushButton* remove_;
};

}  // namespace scorvale::ui
