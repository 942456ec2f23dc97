#pragma once

#include "model/game.h"

namespace scorvale::literal {

// The scoring and the orderings written as plainly as their rules read:
// linear name scans, a quadratic member ranking and the exchange sort over
// neighbours. The product's fast paths are checked against these.
void computeStandings(Game& game);
void sortTeams(Game& game, int key);
void sortMembers(Game& game, int key);
int compareText(const std::string& a, const std::string& b);

}  // namespace scorvale::literal
