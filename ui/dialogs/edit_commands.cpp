// Placeholder until the editing dialogs exist: every command does nothing.
#include "ui/edit_commands.h"

namespace scorvale::ui {

bool runSettingsCommand(Game&, Interaction&) { return false; }
bool addTeamByDialog(Game&, Interaction&) { return false; }
void editTeamByDialog(Game&, Interaction&, int, bool) {}
bool addMemberByDialog(Game&, Interaction&) { return false; }
void showMemberByDialog(Game&, Interaction&, int) {}
void runHtmlOutputCommand(Game&, Interaction&, const std::string&, const std::function<bool()>&) {}

}  // namespace scorvale::ui
