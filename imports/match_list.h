#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scorvale::imports {

// Goals of the two sides, team1 first.
struct Goals {
    int team1 = 0;
    int team2 = 0;

    friend bool operator==(const Goals&, const Goals&) = default;
};

// One match of a list. Texts are UTF-8 with surrounding blanks removed.
struct Match {
    int place = 0;      // the match's 1-based position in a JSON list, or its CSV line
    std::string round;  // as written; empty when the file gives none
    std::string group;  // as written ("Group A"); empty for a knockout match
    std::string team1;
    std::string team2;
    std::string date;                // YYYY-MM-DD, or empty
    std::optional<Goals> fullTime;   // nothing: not played yet
    std::optional<Goals> extraTime;  // the score after extra time, when it was played
    std::optional<Goals> penalties;  // the shoot-out, when there was one
    int winner = 0;                  // 1 or 2 when the list itself names the winner of a level match (CSV)

    bool played() const { return fullTime.has_value(); }
    bool knockout() const { return group.empty(); }

    friend bool operator==(const Match&, const Match&) = default;
};

enum class MatchListFormat { Json, Csv };

struct MatchList {
    MatchListFormat format = MatchListFormat::Json;
    std::string name;  // the JSON list's "name"; empty for a CSV
    std::vector<Match> matches;
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

// Reads an openfootball JSON match list or a match CSV, told apart by content
// (a text whose first non-blank character is '{' or '[' is JSON). The bytes
// may be UTF-8 with or without a BOM, or CP932. Checks the whole list, so the
// rules can take every match as it is: throws ImportError naming the match or
// line and what is wrong.
MatchList readMatchList(std::string_view bytes);

// Whether a CSV's header row names the columns a match list needs (team1,
// team2, score1, score2, in any order and case). Such a file may be a match
// list; any CSV may be members' votes.
bool csvNamesMatchColumns(std::string_view bytes);

}  // namespace scorvale::imports
