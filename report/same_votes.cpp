#include "report/same_votes.h"

#include <algorithm>
#include <functional>
#include <string_view>
#include <unordered_map>

namespace scorvale {

namespace {

// Slots that can differ between two lists of the same count: the ones below
// maxBet that hold votes (vote() is empty beyond the count for both).
int comparedSlots(const Game& game, const Member& m) {
    return std::clamp(game.settings.maxBet, 0, m.voteCount());
}

std::size_t voteHash(const Game& game, const Member& m) {
    std::size_t h = std::hash<int>{}(m.voteCount());
    const int slots = comparedSlots(game, m);
    auto vote = m.votes().begin();
    for (int s = 0; s < slots; ++s, ++vote)
        h = (h ^ std::hash<std::string_view>{}(*vote)) * 0x100000001b3ULL + 0x9e3779b97f4a7c15ULL;
    return h;
}

}  // namespace

bool sameVotes(const Game& game, const Member& a, const Member& b) {
    if (a.voteCount() == 0 || a.voteCount() != b.voteCount()) return false;
    const int slots = comparedSlots(game, a);
    auto va = a.votes().begin();
    auto vb = b.votes().begin();
    for (int s = 0; s < slots; ++s, ++va, ++vb)
        if (*va != *vb) return false;
    return true;
}

SameVoters::SameVoters(const Game& game, int limit) : groupIndex_(static_cast<std::size_t>(std::max(limit, 0)), -1) {
    std::unordered_map<std::size_t, std::vector<int>> groupsByHash;  // hash -> group numbers
    groupsByHash.reserve(groupIndex_.size());
    for (int i = 0; i < limit; ++i) {
        const Member& m = game.memberAt(i);
        if (m.voteCount() == 0) continue;
        std::vector<int>& candidates = groupsByHash[voteHash(game, m)];
        int found = -1;
        for (int g : candidates)
            if (sameVotes(game, m, game.memberAt(groups_[static_cast<std::size_t>(g)].front()))) {
                found = g;
                break;
            }
        if (found < 0) {
            found = static_cast<int>(groups_.size());
            groups_.emplace_back();
            candidates.push_back(found);
        }
        groups_[static_cast<std::size_t>(found)].push_back(i);
        groupIndex_[static_cast<std::size_t>(i)] = found;
    }
}

const std::vector<int>& SameVoters::groupOf(int index) const {
    static const std::vector<int> kNone;
    const int g = groupIndex_[static_cast<std::size_t>(index)];
    return g < 0 ? kNone : groups_[static_cast<std::size_t>(g)];
}

}  // namespace scorvale
