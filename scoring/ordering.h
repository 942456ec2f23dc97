#pragma once

#include <string_view>

#include "model/game.h"

namespace scorvale {

using TeamSortKey = int;
using MemberSortKey = int;

// Three-way comparison of two Shift-JIS texts by character values (a
// double-byte character is lead * 256 + trail); no folding, no locale.
int compareText(std::string_view a, std::string_view b);

// Stable in-place orderings of the collections by a column key; teams that
// tie on the key are ordered by goal difference, highest first.
void sortTeams(Game& game, TeamSortKey key);
void sortMembers(Game& game, MemberSortKey key);

}  // namespace scorvale
