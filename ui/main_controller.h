#pragma once

#include <QString>
#include <string>

#include "model/game.h"
#include "ui/interaction.h"
#include "ui/list_models.h"

class QWidget;

namespace scorvale::ui {

// What the commands change in the window besides the lists.
class WindowView {
public:
    virtual ~WindowView() = default;
    virtual void setCaption(const QString& caption) = 0;
    // Settings, Add team and HTML output.
    virtual void setAdminCommandsEnabled(bool enabled) = 0;
};

// The main window's state and every command it runs, apart from the widgets:
// it asks the user only through Interaction and shows the game through the
// two list models.
class MainController {
public:
    MainController(Interaction& interaction, WindowView& view);

    Game& game() { return game_; }
    const Game& game() const { return game_; }
    TeamListModel& teamModel() { return teamModel_; }
    MemberListModel& memberModel() { return memberModel_; }
    bool hasGame() const { return hasGame_; }
    bool editingUnlocked() const { return editingUnlocked_; }
    void setEditingUnlocked(bool unlocked) { editingUnlocked_ = unlocked; }
    // A file system path in the local encoding.
    const std::string& currentFilePath() const { return currentFilePath_; }
    // Dialogs the commands create are centred on this widget.
    void setDialogParent(QWidget* parent) { dialogParent_ = parent; }

    void refreshView();
    void fullUpdate();

    void load();
    void save();
    void password();
    void settings();
    void addTeam();
    void addMember();
    void htmlOutput();
    void editTeam(int row);
    void editMember(int row);
    void teamHeaderClicked(int column);
    void memberHeaderClicked(int column);
    // True when the user confirms leaving.
    bool confirmExit();

private:
    void tellFileError(const QString& caption, const std::string& path, const std::string& reason);

    Interaction& interaction_;
    WindowView& view_;
    QWidget* dialogParent_ = nullptr;
    Game game_;
    TeamListModel teamModel_;
    MemberListModel memberModel_;
    bool hasGame_ = false;
    bool editingUnlocked_ = true;
    std::string currentFilePath_;
};

}  // namespace scorvale::ui
