#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <variant>

#include "model/game.h"
#include "scoring/ordering.h"

namespace scorvale::lists {

// The two lists of the main window, as data: the window's models and
// svltool's tables both read these, so a column is added in one place.

// The columns in list order; a column's index is its value.
enum class TeamColumn {
    name, group, rank, status, popularity, played, tournamentWins, wins, losses, draws, points, goalDiff, bonus, date,
};
enum class MemberColumn { name, rank, score, firstVote, date };

enum class Align { left, right };

// What a cell shows: a number ("%d") or a Shift-JIS text as stored.
using Cell = std::variant<std::int32_t, std::string_view>;

template <typename R, typename Id, typename SortKey>
struct Column {
    using Record = R;
    Id id;
    std::string_view caption;  // UTF-8
    int width;                 // pixels
    Align align;
    SortKey sortKey;  // of a click on the column's header
    Cell (*cell)(const Record&);
};

using TeamColumnInfo = Column<Team, TeamColumn, TeamSortKey>;
using MemberColumnInfo = Column<Member, MemberColumn, MemberSortKey>;

extern const std::array<TeamColumnInfo, 14> kTeamColumns;
extern const std::array<MemberColumnInfo, 5> kMemberColumns;

inline int columnIndex(TeamColumn c) { return static_cast<int>(c); }
inline int columnIndex(MemberColumn c) { return static_cast<int>(c); }

// The key of a click on the header of column `index`; outside the list, by name.
TeamSortKey teamSortKeyOfColumn(int index);
MemberSortKey memberSortKeyOfColumn(int index);

}  // namespace scorvale::lists
