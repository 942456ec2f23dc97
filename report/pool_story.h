#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/game.h"

namespace scorvale {

// How a member's rank changed since the baseline day.
struct Movement {
    enum class Kind { none, up, down, same, newcomer };
    Kind kind = Kind::none;  // none: there is no baseline day
    std::int32_t places = 0;  // how far up or down
};

// What the members' page and the picture tell beside today's standings.
struct PoolStory {
    // Member and team indices, best rank first, ties in collection order.
    std::vector<int> members;
    std::vector<int> teams;

    // The points of the rank chart, oldest first; the last one is today. A
    // recorded day whose results are today's is today's point; otherwise
    // today follows the recorded days with an empty date.
    std::vector<std::string> pointDates;
    std::vector<std::vector<std::int32_t>> ranks;  // [point][member index]
    // By member index: the first point at which the member was in the pool
    // (its last change is not after that day); earlier points are not its.
    std::vector<int> firstPoint;
    // The point movement is measured from: the one before today, or -1.
    int baseline = -1;
    std::vector<Movement> movement;  // by member index
};

// Reads the game as its last scoring pass left it (ranks current) and its
// recorded results.
PoolStory tellStory(const Game& game);

// "yy/mm/dd" as "m/d"; any other text as it stands.
std::string shortDate(const std::string& date);

}  // namespace scorvale
