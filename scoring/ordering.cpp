#include "scoring/ordering.h"

#include "scoring/radix_sort.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <string_view>
#include <vector>

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

// Maps a signed value to an unsigned one of the same order, optionally reversed,
// so that a composite of two keys can be compared as one integer.
std::uint64_t ordered(std::int32_t value, bool ascending) {
    const std::uint32_t biased = static_cast<std::uint32_t>(value) ^ 0x80000000u;
    return ascending ? biased : ~biased;
}

// The numeric key of a team column and its direction; false for text keys.
bool teamNumber(const Team& t, TeamSortKey key, std::int32_t& value, bool& ascending) {
    ascending = false;
    switch (key) {
        case TeamSortKey::rank: value = t.rank; ascending = true; return true;
        case TeamSortKey::popularity: value = t.popularity; return true;
        case TeamSortKey::points: value = t.points; return true;
        case TeamSortKey::tournamentWins: value = t.tournamentWins; return true;
        case TeamSortKey::wins: value = t.wins; return true;
        case TeamSortKey::losses: value = t.losses; ascending = true; return true;
        case TeamSortKey::draws: value = t.draws; return true;
        case TeamSortKey::goalDiff: value = t.goalDiff; return true;
        case TeamSortKey::played: value = t.played; return true;
        case TeamSortKey::bonus: value = t.bonus; return true;
        default: return false;
    }
}

std::string_view teamText(const Team& t, TeamSortKey key) {
    switch (key) {
        case TeamSortKey::date: return t.date.view();
        case TeamSortKey::group: return t.group.view();
        default: return t.name.view();
    }
}

bool memberNumber(const Member& m, MemberSortKey key, std::int32_t& value, bool& ascending) {
    switch (key) {
        case MemberSortKey::rank: value = m.rank; ascending = true; return true;
        case MemberSortKey::score: value = m.score; ascending = false; return true;
        default: return false;
    }
}

std::string_view memberText(const Member& m, MemberSortKey key) {
    switch (key) {
        case MemberSortKey::date: return m.date.view();
        case MemberSortKey::firstVote: return m.vote(0);
        default: return m.name.view();
    }
}

// Moves the records into the order `order` names (order[k] is the record
// that goes to place k), in place along the permutation's cycles: one move
// per record and no second array of records.
template <typename Record>
void applyOrder(std::vector<Record>& records, std::vector<std::uint32_t>& order) {
    constexpr std::uint32_t kDone = 0xFFFFFFFFu;
    for (std::size_t start = 0; start < order.size(); ++start) {
        if (order[start] == kDone) continue;
        if (order[start] == start) {
            order[start] = kDone;
            continue;
        }
        Record held = std::move(records[start]);
        std::size_t place = start;
        for (;;) {
            const std::size_t from = order[place];
            order[place] = kDone;
            if (from == start) {
                records[place] = std::move(held);
                break;
            }
            records[place] = std::move(records[from]);
            place = from;
        }
    }
}

// A stable ordering by a precomputed 64-bit key.
template <typename Record, typename KeyOf>
void sortByNumber(std::vector<Record>& records, KeyOf keyOf) {
    std::vector<KeyedIndex>& entries = keyedScratch(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) entries[i] = {keyOf(records[i]), static_cast<std::uint32_t>(i)};
    radixSortByKey(entries);
    std::vector<std::uint32_t>& order = orderScratch(records.size());
    for (std::size_t i = 0; i < entries.size(); ++i) order[i] = entries[i].index;
    applyOrder(records, order);
}

// The first `count` character values of `text` from character `skip` on,
// 16 bits each, high first, zero-padded: integers that order as compareText
// orders texts that differ there (a character value is never 0).
std::uint64_t charPrefix(std::string_view text, std::size_t skip) {
    std::uint64_t key = 0;
    std::size_t pos = 0;
    int taken = 0;
    for (std::size_t c = 0; pos < text.size() && taken < 4; ++c) {
        const std::uint32_t value = charAt(text, pos);
        if (c < skip) continue;
        key |= std::uint64_t{value} << (48 - 16 * taken++);
    }
    return key;
}

// A stable ordering by text, then by `tieKey` (a 32-bit ordered value). The
// first eight characters are turned into two integers and ordered by radix;
// only records equal in those and longer than that are compared as texts.
template <typename Record, typename TextOf, typename TieKey>
void sortByText(std::vector<Record>& records, TextOf textOf, TieKey tieKey) {
    const std::size_t n = records.size();
    std::vector<KeyedIndex>& entries = keyedScratch(n);
    std::vector<std::uint64_t> head(n), tail(n);
    for (std::size_t i = 0; i < n; ++i) {
        const std::string_view text = textOf(records[i]);
        head[i] = charPrefix(text, 0);
        tail[i] = charPrefix(text, 4);
        entries[i] = {tieKey(records[i]), static_cast<std::uint32_t>(i)};
    }
    // Least significant key first; each pass is stable.
    radixSortByKey(entries);
    for (KeyedIndex& e : entries) e.key = tail[e.index];
    radixSortByKey(entries);
    for (KeyedIndex& e : entries) e.key = head[e.index];
    radixSortByKey(entries);

    // Runs equal in the first eight characters may still differ further on.
    for (std::size_t from = 0; from < n;) {
        std::size_t to = from + 1;
        while (to < n && head[entries[to].index] == head[entries[from].index] &&
               tail[entries[to].index] == tail[entries[from].index])
            ++to;
        if (to - from > 1 && (tail[entries[from].index] & 0xFFFF) != 0) {
            std::stable_sort(entries.begin() + static_cast<std::ptrdiff_t>(from),
                             entries.begin() + static_cast<std::ptrdiff_t>(to),
                             [&](const KeyedIndex& a, const KeyedIndex& b) {
                                 const int c = compareText(textOf(records[a.index]), textOf(records[b.index]));
                                 return c != 0 ? c < 0 : tieKey(records[a.index]) < tieKey(records[b.index]);
                             });
        }
        from = to;
    }
    std::vector<std::uint32_t>& order = orderScratch(n);
    for (std::size_t i = 0; i < n; ++i) order[i] = entries[i].index;
    applyOrder(records, order);
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
    std::vector<Team>& teams = game.teams();
    std::int32_t value = 0;
    bool ascending = false;
    if (!teams.empty() && teamNumber(teams.front(), key, value, ascending)) {
        // Key first, then goal difference, highest first.
        sortByNumber(teams, [key](const Team& t) {
            std::int32_t v = 0;
            bool asc = false;
            teamNumber(t, key, v, asc);
            return ordered(v, asc) << 32 | ordered(t.goalDiff, false);
        });
        return;
    }
    sortByText(teams, [key](const Team& t) { return teamText(t, key); },
               [](const Team& t) { return ordered(t.goalDiff, false) & 0xFFFFFFFFull; });
}

void sortMembers(Game& game, MemberSortKey key) {
    std::vector<Member>& members = game.members();
    std::int32_t value = 0;
    bool ascending = false;
    if (!members.empty() && memberNumber(members.front(), key, value, ascending)) {
        sortByNumber(members, [key](const Member& m) {
            std::int32_t v = 0;
            bool asc = false;
            memberNumber(m, key, v, asc);
            return ordered(v, asc);
        });
        return;
    }
    sortByText(members, [key](const Member& m) { return memberText(m, key); },
               [](const Member&) { return std::uint64_t{0}; });
}

}  // namespace scorvale
