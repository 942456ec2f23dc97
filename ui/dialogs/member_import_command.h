#pragma once

#include <QString>
#include <optional>
#include <string>

#include "model/game.h"
#include "ui/interaction.h"

namespace scorvale::ui {

// "参加者の取り込み": asks for a CSV file, starting in `folder`, unless `path`
// (a path as ui/core_path.h gives it) is given, reads it, shows the preview and on OK
// adds and replaces the members. A file that cannot be read or is no members
// file ends the command with a warning naming it, the game untouched. True
// when the game changed; the caller then scores, orders and refreshes
// (fullUpdate). The window offers it only while editing is unlocked.
bool importMembersByDialog(Game& game, Interaction& interaction, std::optional<std::string> path = std::nullopt,
                           const QString& folder = QString());

}  // namespace scorvale::ui
