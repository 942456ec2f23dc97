#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "imports/import_error.h"

namespace scorvale::imports {

// Goals of the two sides, team1 first.
struct Goals {
    int team1 = 0;
    int team2 = 0;

    friend bool operator==(const Goals&, const Goals&) = default;
};

// Where a match stands in the tournament.
enum class Stage {
    group,        // a group or league match: won, drawn or lost
    knockout,     // a knockout match after the group stage (or of a list without one)
    preliminary,  // a knockout match before every group match: a play-off into the groups
};

// One match of a list. Texts are UTF-8 with surrounding blanks removed.
struct Match {
    int place = 0;      // the match's 1-based position in a JSON list, or its CSV line
    std::string round;  // as written; empty when the file gives none
    std::string group;  // as written ("Group A"); empty when the list gives none
    std::string team1;
    std::string team2;
    std::string date;                // YYYY-MM-DD, or empty
    std::optional<Goals> fullTime;   // nothing: not played yet
    std::optional<Goals> extraTime;  // the score after extra time, when it was played
    std::optional<Goals> penalties;  // the shoot-out, when there was one
    int winner = 0;                  // 1 or 2 when the list itself names the winner of a level match (CSV)
    Stage stage = Stage::group;

    bool played() const { return fullTime.has_value(); }
    // One side goes through and the other is out, whatever the stage.
    bool knockout() const { return stage != Stage::group; }

    friend bool operator==(const Match&, const Match&) = default;
};

enum class MatchListFormat { Json, Csv };

struct MatchList {
    MatchListFormat format = MatchListFormat::Json;
    std::string name;  // the JSON list's "name"; empty for a CSV
    std::vector<Match> matches;
    // Names (in normalizeName's form) that stand for teams not known yet
    // although isPlaceholder does not recognise them; prepareImport finds them.
    std::set<std::string> slotNames;
    // What the reading took on trust and the user should check, naming the
    // match or team: nothing refused, but the import may be wrong if the
    // guess is. Never thrown.
    std::vector<ImportError> problems;
};

// Goals above this in one match are taken for a typing error.
inline constexpr int kMaxGoals = 99;

// The score that ends a played match: after extra time when there was one.
Goals finalScore(const Match& match);

// 1 or 2 for the side that went through: the shoot-out decides when there was
// one, else the score after extra time, else the full-time score, else the
// winner the list names. 0 for a level match without any of these (a group
// draw, or a knockout match that is replayed) and for a match not played.
int matchWinner(const Match& match);

// True when `utf8Name` stands for a team not known yet in `list`: a
// placeholder or one of the list's slots.
bool isSlot(const MatchList& list, std::string_view utf8Name);

// Positions in list.matches in the order the matches are played: by date
// when every match has one (the list's order within a day), else the
// list's order.
std::vector<std::size_t> playingOrder(const MatchList& list);

// Reads an openfootball JSON match list or a match CSV, told apart by content
// (a text whose first non-blank character is '{' or '[' is JSON). The bytes
// may be UTF-8 with or without a BOM, or CP932.
//
// Each match's stage: a match with a group is a group match, one without a
// knockout match, and in a CSV that has neither a group nor a round column
// every match is a league match (Stage::group). A knockout match that group
// matches are played both before and after is taken for a group match whose
// group is missing (a problem), unless it names a round that no group match
// names; one that only group matches follow is a play-off before the group
// stage (a problem when no dates tell the order).
//
// Checks the whole list, so the rules can take every match as it is: throws
// ImportError naming the match or line and what is wrong, among it a
// shoot-out after a decisive score, extra time that takes goals away, and a
// team that plays again after losing a knockout match (but for a match
// between two losers, as for third place, and the replay of a level match).
MatchList readMatchList(std::string_view bytes);

// Whether a CSV's header row names the columns a match list needs (team1,
// team2, score1, score2, in any order and case). Such a file may be a match
// list; any CSV may be members' votes.
bool csvNamesMatchColumns(std::string_view bytes);

}  // namespace scorvale::imports
