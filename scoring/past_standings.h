#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "model/game.h"

namespace scorvale {

// The members' scores and ranks on one recorded day, by member index.
struct PastStandings {
    std::vector<std::int32_t> scores;
    std::vector<std::int32_t> ranks;

    friend bool operator==(const PastStandings&, const PastStandings&) = default;
};

// The standings of today's members on each of `days`: that day's teams with
// their results then, the ranking fixed or not as it was then, and today's
// other rules. A team the day does not list did not exist then, so votes for
// it count nothing that day. The votes are looked up once for all days.
std::vector<PastStandings> standingsOnDays(const Game& game, std::span<const HistoryDay> days);

}  // namespace scorvale
