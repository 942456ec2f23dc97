#pragma once

#include <string>

#include "model/game.h"

namespace scorvale::testing {

// The example game with a recorded day for every match day of its
// tournament, replayed from the match list as a results import records them,
// and the day after the final with the ranking fixed. Scored and ordered by
// rank, as after a load.
Game exampleWithHistory(const std::string& gamePath, const std::string& matchListPath);

// A pool made to break a page: markup in every text, names as long as a
// field holds, a member with 64 picks, picks of teams that do not exist,
// scores that wrap, 40 members and 30 recorded days.
Game uglyPool();

// The report settings HTML出力 fills from `game` before the dialog.
ReportSettings dialogDefaults(const Game& game);

}  // namespace scorvale::testing
