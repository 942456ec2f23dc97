#pragma once

#include <string>
#include <string_view>

#include "model/game.h"

namespace scorvale::literal {

// The game file reader written as plainly as its rules read: a list of line
// strings, string replacement for every tag and linear name scans. The fast
// reader is checked against it.
void loadGameBytes(Game& game, std::string_view bytes, unsigned flags);

}  // namespace scorvale::literal
