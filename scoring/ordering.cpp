#include "scoring/ordering.h"

#include <algorithm>
#include <cstdint>

namespace scorvale {

namespace {

// One character at `pos`: its value and width. A lead byte at the very end
// pairs with the terminator, as in the zero-terminated field.
std::uint32_t charAt(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos++]);
    if (!isShiftJisLead(lead)) return lead;
    const std::uint32_t trail = pos < text.size() ? static_cast<unsigned char>(text[pos++]) : 0;
    return lead * 256u + trail;
}

// -1 when `a` belongs before `b`, 1 after, 0 when the key ties.
int compareKey(std::int32_t a, std::int32_t b, bool ascending) {
    if (a == b) return 0;
    return (a < b) == ascending ? -1 : 1;
}

int compareTeamKey(const Team& a, const Team& b, TeamSortKey key) {
    switch (key) {
        case 1: return compareKey(a.rank, b.rank, true);
        case 2: return compareKey(a.popularity, b.popularity, false);
        case 3: return compareKey(a.points, b.points, false);
        case 4: return compareKey(a.tournamentWins, b.tournamentWins, false);
        case 5: return compareKey(a.wins, b.wins, false);
        case 6: return compareKey(a.losses, b.losses, true);
        case 7: return compareKey(a.draws, b.draws, false);
        case 8: return compareKey(a.goalDiff, b.goalDiff, false);
        case 9: return compareKey(a.played, b.played, false);
        case 10: return compareKey(a.bonus, b.bonus, false);
        case 11: return compareText(a.date.view(), b.date.view());
        case 13: return compareText(a.group.view(), b.group.view());
        default: return compareText(a.name.view(), b.name.view());
    }
}

int compareMemberKey(const Member& a, const Member& b, MemberSortKey key) {
    switch (key) {
        case 1: return compareKey(a.rank, b.rank, true);
        case 3: return compareKey(a.score, b.score, false);
        case 11: return compareText(a.date.view(), b.date.view());
        case 12: return compareText(a.vote(0).view(), b.vote(0).view());
        default: return compareText(a.name.view(), b.name.view());
    }
}

}  // namespace

int compareText(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const std::uint32_t ca = charAt(a, i);
        const std::uint32_t cb = charAt(b, j);
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

void sortTeams(Game& game, TeamSortKey key) {
    std::stable_sort(game.teams().begin(), game.teams().end(), [key](const Team& a, const Team& b) {
        const int byKey = compareTeamKey(a, b, key);
        return byKey != 0 ? byKey < 0 : a.goalDiff > b.goalDiff;
    });
}

void sortMembers(Game& game, MemberSortKey key) {
    std::stable_sort(game.members().begin(), game.members().end(),
                     [key](const Member& a, const Member& b) { return compareMemberKey(a, b, key) < 0; });
}

}  // namespace scorvale
