#pragma once

#include <string>

#include "model/game.h"

namespace scorvale::lists {

// The two lists as text, with the window's columns in the collections' order:
// the teams, an empty line, the members. Text cells are converted from
// Shift-JIS to UTF-8 (bytes Shift-JIS lacks become U+FFFD).

// Tab-separated, LF line ends.
std::string standingsTsv(const Game& game);

// CSV as a spreadsheet opens it in Japanese without asking: a UTF-8 BOM, CR LF
// line ends, numbers unquoted so that they stay numbers, text quoted where it
// holds a comma, a quote or a line break. A text a spreadsheet would take for
// a formula (one starting with = + - @, a tab or a CR) gets a leading
// apostrophe, so a member's name never runs as one.
std::string standingsCsv(const Game& game);

}  // namespace scorvale::lists
