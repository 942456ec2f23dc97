#pragma once

#include <string>

#include "model/game.h"

namespace scorvale {

// The top ten for a group chat: title, date, and per member the rank, the
// movement since the last recorded day, the name and the score, as an SVG
// 1080 px wide in UTF-8, set in the program's font. Reads the stored ranks
// like the page; long names are cut with an ellipsis.
std::string standingsPictureSvg(const Game& game, const ReportSettings& settings);

}  // namespace scorvale
