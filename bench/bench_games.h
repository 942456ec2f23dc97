#pragma once

#include "model/game.h"

namespace scorvale::bench {

// A pool of the size the benchmarks measure: `teams` teams with results and
// Japanese-looking names, `members` members with `votes` distinct votes each.
Game makePool(int teams, int members, int votes);

// Resident set size of this process in bytes (from /proc/self/statm).
long residentBytes();

}  // namespace scorvale::bench
