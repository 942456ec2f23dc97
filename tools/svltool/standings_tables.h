#pragma once

#include <string>

#include "model/game.h"

namespace scorvale::tool {

// The two lists with the main window's columns, as UTF-8 TSV: teams, a blank
// line, members.
std::string standingsTsv(const Game& game);
// Every setting, team and member with its computed fields, as one JSON object.
std::string standingsJson(const Game& game);

}  // namespace scorvale::tool
