#pragma once

#include "model/game.h"

namespace scorvale {

// The one scoring pass: team points, games played, bonuses (place bonuses
// awarded inside the rank loop, which visits the teams by their standing
// before those bonuses; collection order only breaks full ties), ranks,
// then member scores, member ranks and team popularity. Changes computed
// fields only.
void computeStandings(Game& game);

}  // namespace scorvale
