#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "imports/match_list.h"

namespace scorvale::imports {

struct ResultOptions {
    // Knockout goals (after extra time) count in the goal difference too.
    bool knockoutGoals = false;
};

// What the whole list gives one of its teams: the team fields an import
// replaces. Texts are UTF-8.
struct TeamResult {
    std::string name;   // as the list first writes it
    std::string group;  // of its first group match, without "Group "; empty when it has none
    std::int32_t wins = 0;
    std::int32_t draws = 0;
    std::int32_t losses = 0;
    std::int32_t goalDiff = 0;
    std::int32_t tournamentWins = 0;
    std::int32_t qualify = 0;
    std::int32_t out = 0;
    std::string date;  // "%y/%m/%d" of its last change; empty when the list dates none
    int playedMatches = 0;
    int unplayedMatches = 0;

    friend bool operator==(const TeamResult&, const TeamResult&) = default;
};

struct MatchResults {
    std::vector<TeamResult> teams;  // every real team of the list, in order of first appearance
    int playedMatches = 0;
    int unplayedMatches = 0;
    // Every group match is played and every pairing of the first knockout
    // round names real teams, so the group teams outside the knockout stage
    // are out.
    bool groupStageDecided = false;
};

// The results of every team from the whole list, so that reading the same or
// a longer list again never counts a match twice. Takes the list as
// readMatchList checked it.
//
// Group (or league) match, played: a win, draw or loss by the full-time
// score, and its goals in the goal difference.
// Knockout match: both teams have qualified once it names them; when played,
// the winner (matchWinner) gains a tournament win, third-place match too,
// and the loser is out. Its goals count only with `knockoutGoals`, after
// extra time. A play-off before the group stage (Stage::preliminary) counts
// the same, but qualifies nobody.
// The first knockout round is the round of the knockout stage with the most
// matches (the earliest such round of the list on a tie). When no match of
// the knockout stage names its round (a CSV without the optional round
// column), it is the leading run of them, in playing order, that ends before
// the first match naming a team already named in the run or naming another
// match's winner or loser ("W49"). Once every group match is played and
// every match of that round names two real teams, a team of the groups that
// no match of the knockout stage names is out, and its date is the day of
// the last group match played (the day it went out), if that is later than
// its own. Teams not known yet (isSlot) are no teams and are never listed.
MatchResults computeResults(const MatchList& list, ResultOptions options = {});

// "Group A" -> "A", "グループB" -> "B"; any other name as it is.
std::string groupName(std::string_view group);

// Positions in list.matches of the matches of the first knockout round, as
// computeResults finds it; empty when the list has no knockout stage.
std::vector<std::size_t> firstKnockoutRound(const MatchList& list);

}  // namespace scorvale::imports
