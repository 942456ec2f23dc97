#include "scoring/ordering.h"

#include "scoring/radix_sort.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <string_view>
#include <unordered_map>
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
        case 1: value = t.rank; ascending = true; return true;
        case 2: value = t.popularity; return true;
        case 3: value = t.points; return true;
        case 4: value = t.tournamentWins; return true;
        case 5: value = t.wins; return true;
        case 6: value = t.losses; ascending = true; return true;
        case 7: value = t.draws; return true;
        case 8: value = t.goalDiff; return true;
        case 9: value = t.played; return true;
        case 10: value = t.bonus; return true;
        default: return false;
    }
}

std::string_view teamText(const Team& t, TeamSortKey key) {
    switch (key) {
        case 11: return t.date.view();
        case 13: return t.group.view();
        default: return t.name.view();
    }
}

bool memberNumber(const Member& m, MemberSortKey key, std::int32_t& value, bool& ascending) {
    switch (key) {
        case 1: value = m.rank; ascending = true; return true;
        case 3: value = m.score; ascending = false; return true;
        default: return false;
    }
}

std::string_view memberText(const Member& m, MemberSortKey key) {
    switch (key) {
        case 11: return m.date.view();
        case 12: return m.vote(0).view();
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

// A stable ordering by text, then by `tieKey` (a 32-bit ordered value). Equal
// texts are grouped first, so only the distinct texts are compared: a column
// like the first vote has a few dozen values over any number of members.
template <typename Record, typename TextOf, typename TieKey>
void sortByText(std::vector<Record>& records, TextOf textOf, TieKey tieKey) {
    std::unordered_map<std::string_view, std::uint32_t> groupOf;
    groupOf.reserve(records.size());
    std::vector<std::string_view> distinct;
    std::vector<std::uint32_t>& group = orderScratch(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        const auto [it, added] = groupOf.try_emplace(textOf(records[i]), static_cast<std::uint32_t>(distinct.size()));
        if (added) distinct.push_back(it->first);
        group[i] = it->second;
    }
    std::vector<std::uint32_t> byText(distinct.size());
    std::iota(byText.begin(), byText.end(), 0u);
    std::sort(byText.begin(), byText.end(),
              [&](std::uint32_t a, std::uint32_t b) { return compareText(distinct[a], distinct[b]) < 0; });
    std::vector<std::uint32_t> rankOf(distinct.size());
    for (std::size_t r = 0; r < byText.size(); ++r) rankOf[byText[r]] = static_cast<std::uint32_t>(r);

    std::vector<KeyedIndex>& entries = keyedScratch(records.size());
    for (std::size_t i = 0; i < records.size(); ++i)
        entries[i] = {std::uint64_t{rankOf[group[i]]} << 32 | tieKey(records[i]), static_cast<std::uint32_t>(i)};
    radixSortByKey(entries);
    for (std::size_t i = 0; i < entries.size(); ++i) group[i] = entries[i].index;
    applyOrder(records, group);
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
