#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "model/game.h"
#include "ui/interaction.h"
#include "ui/list_models.h"
#include "undo/undo_history.h"

class QWidget;

namespace scorvale {
class FileError;
}

namespace scorvale::ui {

// What the commands change in the window besides the lists.
class WindowView {
public:
    virtual ~WindowView() = default;
    virtual void setCaption(const QString& caption) = 0;
    // Settings, Add team and HTML output.
    virtual void setAdminCommandsEnabled(bool enabled) = 0;
    // A command has ended: what undo and redo offer may have changed.
    virtual void commandEnded() {}
};

// The main window's state and every command it runs, apart from the widgets:
// it asks the user only through Interaction and shows the game through the
// two list models. No command lets an exception out: whatever the core
// throws ends the command with a warning, and a load, a merge, a save, a page
// or a change of settings that runs out of memory leaves the game as it was.
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

    // The commands that change the game, each one step of undo and redo.
    enum class Step {
        settings, addTeam, editTeam, deleteTeam, addMember, editMember, expelMember,
        importResults, importMembers, merge, password, htmlOutput,
    };
    // The step's name as the window shows it ("参加者の取り込み").
    static QString stepName(Step step);

    // Undo and redo. A step restores the game on its other side exactly
    // (settings, report texts, both collections in their order, the results
    // history and the page), then ends as its command did. A step made while
    // editing was unlocked is neither undone nor redone while it is locked.
    void undo();
    void redo();
    bool canUndo() const;
    bool canRedo() const;
    // The name of the step undo or redo would take; empty when there is none.
    QString undoName() const;
    QString redoName() const;
    const undo::UndoHistory& steps() const { return steps_; }

    void load();
    // The Load command with `path` already chosen (a file dropped on the window).
    void loadDropped(const std::string& path);
    // The file named on the command line, opened as a new load before the
    // user has done anything.
    void openAtStart(const std::string& path);
    // The imports, offered only while editing is unlocked: asking for the
    // file, or with a file dropped on the window (a match list or members'
    // votes, told by its name and content).
    void importResults();
    void importMembers();
    void importDropped(const std::string& path);
    void save();
    // 上書き保存: to the current file without asking, or Save when there is none.
    void saveToCurrentFile();
    // 新しいゲーム: with unsaved changes asks as the exit does, then starts
    // from the start-up values with no file, unlocked, without steps.
    void newGame();
    // Both lists as they stand, as CSV for a spreadsheet, to a file the user
    // chooses; the game does not change.
    void saveStandingsCsv();
    void password();
    void settings();
    void addTeam();
    void addMember();
    void htmlOutput();
    void editTeam(int row);
    void editMember(int row);
    void teamHeaderClicked(int column);
    void memberHeaderClicked(int column);
    // True when the user confirms leaving; with unsaved changes the question
    // offers to save first.
    bool confirmExit();
    // Test seam: undo copies every record and checks each command's reach.
    static void checkStepReachForTesting(bool check);
    // Whether the game differs from what was last loaded or saved.
    bool unsaved() const { return unsaved_; }

private:
    // What a command that changes the game takes back when it fails (see
    // changeOrRollBack).
    struct Checkpoint {
        GameSettings settings;
        ReportSettings report;
        std::size_t teams;
        std::size_t members;
        bool editingUnlocked;
        std::string currentFilePath;
    };

    // One command of the window: what it throws becomes a warning under `caption`.
    template <typename Command>
    void guarded(const char16_t* caption, Command command);
    // Runs `command` as one step of undo, named `step` unless the command
    // names another; it may change records only within `reach`.
    template <typename Command>
    void recorded(Step step, undo::GameReach reach, Command command);
    void keepStep(Step step, bool madeUnlocked);
    // The ending of the command that made `step`, on the game as a step left it.
    void endStep(const undo::StepInfo& step);
    bool stepAllowed(const undo::StepInfo& step) const { return editingUnlocked_ || !step.madeUnlocked; }
    // Runs `change`; should it throw anything but a file error, the game and
    // the window's state are put back as they were first.
    template <typename Change>
    void changeOrRollBack(Change change);
    void rollBack(Checkpoint& to) noexcept;

    enum class Import { results, members };
    void importCommand(Import kind, std::optional<std::string> path);
    void loadCommand(std::optional<std::string> chosen);
    void loadFile(std::string path, bool newLoad, unsigned flags);
    // True when the file was written.
    bool saveCommand();
    // Before the game is given up: with unsaved changes, asks `question`
    // (save first, give them up, or stop). True when the caller may go on:
    // the game was saved, or the user gave the changes up.
    bool settleUnsaved(const QString& caption, const QString& question);
    // Where the file dialogs for the game start: the current file's folder.
    QString gameFolder() const;
    void passwordCommand();
    // Runs a command that may change a team's results, or whether the
    // ranking is fixed, and records today's results in the history when it did.
    template <typename Command>
    void recordingResults(Command command);
    void tellFileError(const QString& caption, const FileError& error);

    Interaction& interaction_;
    WindowView& view_;
    QWidget* dialogParent_ = nullptr;
    Game game_;
    TeamListModel teamModel_;
    MemberListModel memberModel_;
    bool hasGame_ = false;
    bool editingUnlocked_ = true;
    std::string currentFilePath_;
    bool unsaved_ = false;
    undo::UndoHistory steps_;
};

// Test seam: called once a load has applied the file to a game (a new load's
// fresh game, or the open game of a merge) and before the command completes;
// what it throws acts as a failure there, std::bad_alloc as memory running out.
void setLoadFaultHookForTesting(std::function<void()> hook);

}  // namespace scorvale::ui
