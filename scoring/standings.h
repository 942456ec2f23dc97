#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "model/game.h"

namespace scorvale {

// The one scoring pass: team points, games played, bonuses (place bonuses
// awarded inside the rank loop, which visits the teams by their standing
// before those bonuses; collection order only breaks full ties), ranks,
// then member scores, member ranks and team popularity. Changes computed
// fields only.
void computeStandings(Game& game);

// The team half of the pass over `teams` alone: points, games played,
// bonuses and ranks; popularity cleared.
void computeTeamStandings(const GameSettings& settings, std::vector<Team>& teams);

// ranks[i] = 1 + the number of scores strictly greater than scores[i].
void rankByScore(std::span<const std::int32_t> scores, std::span<std::int32_t> ranks);

}  // namespace scorvale
