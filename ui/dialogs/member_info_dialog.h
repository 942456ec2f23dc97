#pragma once

#include <QDialog>
#include <string>

#include "model/game.h"

class QLineEdit;
class QTreeWidget;

namespace scorvale::ui {

class Interaction;

// "参加者情報": one member's votes with their worth; "修正" writes an edited
// copy straight back into the game, "除名" asks the caller to expel.
class MemberInfoDialog : public QDialog {
public:
    MemberInfoDialog(const std::string& nameText, Game& game, int index, Interaction& interaction,
                     QWidget* parent = nullptr);

    const std::string& nameText() const { return nameText_; }
    bool expelRequested() const { return expelRequested_; }
    // Whether "修正" changed the member in the game.
    bool memberEdited() const { return memberEdited_; }

    void refreshInfoRows();
    void editMember();

private:
    std::string nameText_;
    Game& game_;
    int index_;
    Interaction& interaction_;
    bool expelRequested_ = false;
    bool memberEdited_ = false;
    QLineEdit* name_;
    QTreeWidget* rows_;
};

}  // namespace scorvale::ui
