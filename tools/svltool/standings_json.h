#pragma once

#include <string>

#include "model/game.h"

namespace scorvale::tool {

// Every setting, team and member with its computed fields, as one JSON object.
std::string standingsJson(const Game& game);

}  // namespace scorvale::tool
