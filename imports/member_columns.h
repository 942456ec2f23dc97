#pragma once

// Which column of a members file holds what, guessed from the cells: forms
// and spreadsheets put timestamps, e-mail addresses, numbering, consent
// boxes and comments around the names and the picks, in any order.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "imports/member_import.h"
#include "imports/members_file.h"
#include "imports/team_matcher.h"

namespace scorvale::imports {

// What most non-empty cells of a column are.
enum class ColumnKind {
    empty,      // no cell holds anything
    timestamp,  // a date formDate reads
    email,      // an e-mail address
    number,     // whole numbers (a row number, an ID)
    team,       // names of teams of the game
    text,       // short texts: names, or an answer people choose
    freeText,   // comments: line breaks, long texts or a comment's heading
};

struct ColumnGuess {
    bool header = true;               // the first record names the columns
    std::vector<ColumnKind> kinds;    // one a column, column 1 first
    // Candidates for the names, best first: short texts, mostly filled in and
    // mostly different, a heading such as お名前 counting most.
    std::vector<std::size_t> nameCandidates;
    std::size_t dateColumn = 0;       // the form's timestamp (the last of the first run of them), or 0
    std::size_t firstTeamColumn = 0;  // the longest run of columns of picks, or 0 and 0
    std::size_t lastTeamColumn = 0;
};

// Reads the kinds from the first 500 records after the first one (the
// first is then checked against them: it is a header unless it holds a
// team of the game, a timestamp or an e-mail address where the others do).
// A cell counts for a kind when 80% of the non-empty cells are of it (half
// for teams, so that misspelt picks do not hide the column).
ColumnGuess guessMemberColumns(const MembersFile& file, TeamMatcher& matcher);

// The choices a caller fixed; the rest is guessed.
struct ColumnChoices {
    std::optional<bool> header;
    std::optional<std::size_t> nameColumn;
    std::optional<std::size_t> dateColumn;  // 0: none
    std::optional<std::pair<std::size_t, std::size_t>> voteColumns;
};

// `base` with the columns and header of `fixed`, and the others from
// `guess`: the picks are the run of team columns (the part of it after a
// fixed name or date column that falls inside it), else the short texts
// right after the name; the name the best candidate that is no pick and no
// date (0 when there is none: the plan refuses it); the date the guessed
// timestamp unless it is a pick or the name. The encoding, separator,
// replace and names of `base` stay.
MemberImportOptions chooseMemberColumns(const ColumnGuess& guess, const ColumnChoices& fixed,
                                        MemberImportOptions base = {});

}  // namespace scorvale::imports
