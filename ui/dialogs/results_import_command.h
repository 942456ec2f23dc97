#pragma once

#include <QString>
#include <optional>
#include <string>

#include "model/game.h"
#include "ui/interaction.h"

namespace scorvale::ui {

// "試合結果の取り込み": asks for the match list (JSON or CSV), starting in
// `folder`, unless `path` names it (a file dropped on the window; a local
// file name as ui/core_path.h gives it), reads it, shows the preview and
// on OK applies it to the teams. A file that cannot be read or is no match
// list is a warning naming the file and the reason, and the game stays as it
// was. The import is recorded in the results history, a dated list day by
// day (applyImportWithHistory). True when the game changed; the caller then
// runs fullUpdate.
bool importResultsByDialog(Game& game, Interaction& interaction, std::optional<std::string> path = std::nullopt,
                           const QString& folder = QString());

}  // namespace scorvale::ui
