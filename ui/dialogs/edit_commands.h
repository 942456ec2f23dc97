#pragma once

#include <functional>
#include <string>

#include "model/game.h"
#include "ui/interaction.h"

namespace scorvale::ui {

// The editing commands of the main window. Each opens its dialog through
// `interaction`, applies confirmed values to the game and reports how the
// main window ends the command.

// Settings: true when confirmed (the caller then runs fullUpdate). Clears
// the results history when the dialog asks to and the user confirms.
bool runSettingsCommand(Game& game, Interaction& interaction);
// Add team: true when a team was added (scoring and rank order already done).
bool addTeamByDialog(Game& game, Interaction& interaction);
// Edit team at `index` (checked by the caller); true when the team was changed or deleted. The
// caller runs fullUpdate afterwards in every case.
bool editTeamByDialog(Game& game, Interaction& interaction, int index, bool editable);
// Add member: true when a member was added (scoring and rank order already done).
bool addMemberByDialog(Game& game, Interaction& interaction);
// Member information for `index`; true when the member was changed or expelled. The caller
// runs fullUpdate afterwards in every case.
bool showMemberByDialog(Game& game, Interaction& interaction, int index);
// HTML output. `refreshView` rebuilds the window and returns hasGame. True once the dialog's
// values are stored in the game (also when the page then cannot be written).
bool runHtmlOutputCommand(Game& game, Interaction& interaction, const std::string& currentFilePath,
                          const std::function<bool()>& refreshView);

}  // namespace scorvale::ui
