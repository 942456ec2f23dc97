#include "lists/list_columns.h"

namespace scorvale::lists {

namespace {

using enum TeamColumn;
using Key = TeamSortKey;
constexpr Align L = Align::left;
constexpr Align R = Align::right;

// "T" when qualified, then "D" when eliminated.
std::string_view statusText(const Team& t) {
    static constexpr std::string_view texts[] = {"", "T", "D", "TD"};
    return texts[(t.qualify != 0 ? 1 : 0) + (t.out != 0 ? 2 : 0)];
}

}  // namespace

constexpr std::array<TeamColumnInfo, 14> kTeamColumns = {{
    {name, "チーム", 100, L, Key::name, [](const Team& t) -> Cell { return t.name.view(); }},
    {group, "グループ", 60, L, Key::group, [](const Team& t) -> Cell { return t.group.view(); }},
    {rank, "順位", 38, R, Key::rank, [](const Team& t) -> Cell { return t.rank; }},
    // The status orders by name, as the team column does.
    {status, "状態", 38, L, Key::name, [](const Team& t) -> Cell { return statusText(t); }},
    {popularity, "人気", 38, R, Key::popularity, [](const Team& t) -> Cell { return t.popularity; }},
    {played, "消化", 38, R, Key::played, [](const Team& t) -> Cell { return t.played; }},
    {tournamentWins, "T勝", 38, R, Key::tournamentWins, [](const Team& t) -> Cell { return t.tournamentWins; }},
    // Wins, then losses, then draws.
    {wins, "勝", 25, R, Key::wins, [](const Team& t) -> Cell { return t.wins; }},
    {losses, "負", 25, R, Key::losses, [](const Team& t) -> Cell { return t.losses; }},
    {draws, "分", 25, R, Key::draws, [](const Team& t) -> Cell { return t.draws; }},
    {points, "勝点", 38, R, Key::points, [](const Team& t) -> Cell { return t.points; }},
    {goalDiff, "得失", 38, R, Key::goalDiff, [](const Team& t) -> Cell { return t.goalDiff; }},
    {bonus, "特賞", 38, R, Key::bonus, [](const Team& t) -> Cell { return t.bonus; }},
    {date, "最終更新", 100, L, Key::date, [](const Team& t) -> Cell { return t.date.view(); }},
}};

constexpr std::array<MemberColumnInfo, 5> kMemberColumns = {{
    {MemberColumn::name, "参加者", 100, L, MemberSortKey::name, [](const Member& m) -> Cell { return m.name.view(); }},
    {MemberColumn::rank, "順位", 38, R, MemberSortKey::rank, [](const Member& m) -> Cell { return m.rank; }},
    {MemberColumn::score, "得点", 38, R, MemberSortKey::score, [](const Member& m) -> Cell { return m.score; }},
    // Empty for a member without votes.
    {MemberColumn::firstVote, "筆頭候補", 100, L, MemberSortKey::firstVote,
     [](const Member& m) -> Cell { return m.vote(0); }},
    {MemberColumn::date, "最終更新", 100, L, MemberSortKey::date, [](const Member& m) -> Cell { return m.date.view(); }},
}};

namespace {
// A column's index is its id's value.
template <typename Columns>
constexpr bool inListOrder(const Columns& columns) {
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (static_cast<std::size_t>(columns[i].id) != i) return false;
    return true;
}
static_assert(inListOrder(kTeamColumns) && inListOrder(kMemberColumns));
}  // namespace

TeamSortKey teamSortKeyOfColumn(int index) {
    return index >= 0 && index < static_cast<int>(kTeamColumns.size()) ? kTeamColumns[static_cast<std::size_t>(index)].sortKey
                                                                         : TeamSortKey::name;
}

MemberSortKey memberSortKeyOfColumn(int index) {
    return index >= 0 && index < static_cast<int>(kMemberColumns.size())
               ? kMemberColumns[static_cast<std::size_t>(index)].sortKey
               : MemberSortKey::name;
}

}  // namespace scorvale::lists
