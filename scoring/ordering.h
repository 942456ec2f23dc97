#pragma once

#include <string_view>

#include "model/game.h"

namespace scorvale {

// What a list is ordered by. The values are the key codes of the orderings;
// a code outside the named ones orders by name (a command line may pass any).
enum class TeamSortKey : int {
    name = 0,
    rank = 1,  // also after every command
    popularity = 2,
    points = 3,
    tournamentWins = 4,
    wins = 5,
    losses = 6,  // fewest first
    draws = 7,
    goalDiff = 8,
    played = 9,
    bonus = 10,
    date = 11,
    group = 13,
};

enum class MemberSortKey : int {
    name = 0,
    rank = 1,
    score = 3,
    date = 11,
    firstVote = 12,
};

// Three-way comparison of two Shift-JIS texts by character values (a
// double-byte character is lead * 256 + trail); no folding, no locale.
int compareText(std::string_view a, std::string_view b);

// Stable in-place orderings of the collections by a column key; teams that
// tie on the key are ordered by goal difference, highest first.
void sortTeams(Game& game, TeamSortKey key);
void sortMembers(Game& game, MemberSortKey key);

}  // namespace scorvale
