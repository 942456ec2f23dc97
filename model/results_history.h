#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/records.h"
#include "model/text_field.h"

namespace scorvale {

class Game;

// One team's results as they stood at the end of a day: the inputs of the
// scoring that change during a tournament.
struct RecordedResults {
    TextField name;
    std::int32_t wins = 0;
    std::int32_t draws = 0;
    std::int32_t losses = 0;
    std::int32_t tournamentWins = 0;
    std::int32_t goalDiff = 0;
    std::int32_t qualify = 0;
    std::int32_t out = 0;

    friend bool operator==(const RecordedResults&, const RecordedResults&) = default;
};

// A team as a recorded day knows it: its name and results, nothing else.
Team recordedTeam(const RecordedResults& results);

// Every team's results on one day, in the team collection's order of that
// day, and whether the final ranking was fixed then (the place bonuses of
// the end must not leak into the days before it).
struct HistoryDay {
    std::string date;  // as todayText writes it: "%y/%m/%d"
    bool rankingFixed = false;
    std::vector<RecordedResults> teams;

    friend bool operator==(const HistoryDay&, const HistoryDay&) = default;
};

// The dated record of the teams' results, one day an entry, oldest first.
class ResultsHistory {
public:
    const std::vector<HistoryDay>& days() const { return days_; }
    bool empty() const { return days_.empty(); }
    void clear() { days_.clear(); }

    // Puts `day` in date order, replacing the entry of the same date.
    void setDay(HistoryDay day);

    friend bool operator==(const ResultsHistory&, const ResultsHistory&) = default;

private:
    std::vector<HistoryDay> days_;
};

// The game's teams' results as they stand now, dated `date`.
HistoryDay currentResults(const Game& game, std::string date);

// Whether two records hold the same results, dates apart: the same ranking
// flag and the same teams' results, in any order (sorting a list changes
// nothing), a team without any result counting as no team (adding or
// deleting a team before it has played changes nothing).
bool sameResults(const HistoryDay& a, const HistoryDay& b);

// Puts `now` in the history unless it holds the same results as `before`,
// the record taken when a command started: a command that changed no team's
// results leaves the history as it was. True when recorded.
bool recordChange(ResultsHistory& history, const HistoryDay& before, HistoryDay now);

// Which page HTML出力 writes; remembered with the game, after the end of
// what the file format defines.
struct PageChoice {
    enum class Kind : std::int32_t { legacy = 0, phone = 1 };
    Kind kind = Kind::legacy;
    bool picture = false;  // the standings picture beside the page

    friend bool operator==(const PageChoice&, const PageChoice&) = default;
};

}  // namespace scorvale
