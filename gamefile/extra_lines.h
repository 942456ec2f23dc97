#pragma once

#include <string_view>

#include "model/game.h"

namespace scorvale::gamefile {

// The lines after the file's end line (kExtraLines), as the reader and the
// writer of the game file share them.

// Whether `game` has anything to keep there. A game without writes no line
// after the end line: exactly the file the format defines.
bool hasExtras(const Game& game);

// Replaces the game's history and page choice by what `bytes`, the file after
// its end line, holds. Never fails and never touches the rest of the game:
// damaged lines lose only the day they belong to (see the reader).
void readExtraLines(Game& game, std::string_view bytes);

}  // namespace scorvale::gamefile
