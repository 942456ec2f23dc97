#pragma once

#include <vector>

#include "model/game.h"

namespace scorvale {

// True when both members have the same non-zero vote count and the same team
// names, byte for byte, in every slot below GameSettings.maxBet.
bool sameVotes(const Game& game, const Member& a, const Member& b);

// The first `limit` members of the collection grouped by sameVotes, in one
// hashing pass instead of comparing every pair.
class SameVoters {
public:
    SameVoters(const Game& game, int limit);

    // Every index below the limit that votes as member `index` does, itself
    // included, ascending; empty for a member without votes.
    const std::vector<int>& groupOf(int index) const;

private:
    std::vector<int> groupIndex_;  // per member; -1 for no votes
    std::vector<std::vector<int>> groups_;
};

}  // namespace scorvale
