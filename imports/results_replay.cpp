#include "imports/results_replay.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <string>

#include "imports/placeholder.h"
#include "text/normalize.h"

namespace scorvale::imports {

namespace {

// An undated match counts as played on the day of the import: after every date.
constexpr std::string_view kUndated = "9999-99-99";

std::string_view sortDate(const Match& m) { return m.date.empty() ? kUndated : std::string_view(m.date); }

// "2002-06-14" -> "02/06/14"; empty for a year the two digits cannot place.
std::string shortDate(std::string_view iso) {
    if (iso.size() != 10 || iso.substr(0, 2) != "20") return {};
    std::string out;
    out.append(iso.substr(2, 2)).append("/").append(iso.substr(5, 2)).append("/").append(iso.substr(8, 2));
    return out;
}

// For each match and side, the date of the latest match the side's team plays
// on an earlier date; empty when it plays none (or the side is no team).
std::vector<std::array<std::string_view, 2>> previousMatchDates(const MatchList& list) {
    std::map<std::string, std::vector<std::pair<std::string_view, std::size_t>>> byTeam;  // (date, match*2+side)
    for (std::size_t i = 0; i < list.matches.size(); ++i) {
        const Match& m = list.matches[i];
        for (std::size_t side = 0; side < 2; ++side) {
            const std::string& name = side == 0 ? m.team1 : m.team2;
            if (name.empty() || isPlaceholder(name)) continue;
            byTeam[text::normalizeName(name)].emplace_back(sortDate(m), 2 * i + side);
        }
    }
    std::vector<std::array<std::string_view, 2>> previous(list.matches.size());
    for (auto& [team, matches] : byTeam) {
        std::sort(matches.begin(), matches.end());
        std::string_view before;  // the latest date earlier than the current one
        for (std::size_t k = 0; k < matches.size(); ++k) {
            if (k > 0 && matches[k - 1].first < matches[k].first) before = matches[k - 1].first;
            previous[matches[k].second / 2][matches[k].second % 2] = before;
        }
    }
    return previous;
}

// A team not known yet, written as fixtures write one and numbered apart
// from whatever the list holds: a group place ("1000007A") in the first
// knockout round, which keeps the round as it is, and a match's winner
// ("W1000007") in the later rounds, which, like the real winners' names
// there, end that round in a list that names no rounds.
std::string unknownTeam(std::size_t match, std::size_t side, bool firstRound) {
    const std::string number = std::to_string(1000000 + 2 * match + side);
    return firstRound ? number + "A" : "W" + number;
}

MatchList dayList(const MatchList& list, std::string_view isoDay,
                  const std::vector<std::array<std::string_view, 2>>& previous, const std::set<std::size_t>& firstRound) {
    MatchList day = list;
    for (std::size_t i = 0; i < day.matches.size(); ++i) {
        Match& m = day.matches[i];
        if (sortDate(m) <= isoDay) continue;
        m.fullTime.reset();
        m.extraTime.reset();
        m.penalties.reset();
        m.winner = 0;
        if (!m.knockout()) continue;
        for (std::size_t side = 0; side < 2; ++side)
            if (previous[i][side] > isoDay)
                (side == 0 ? m.team1 : m.team2) = unknownTeam(i, side, firstRound.count(i) > 0);
    }
    return day;
}

// The key of the team at `index` of the import's results: a short name that
// is no placeholder, so that the rules, which fold every name they compare,
// fold a few letters on each day rather than the list's own names.
std::string teamKey(std::size_t index) { return "t" + std::to_string(index); }

// The list with each team's name replaced by its key.
MatchList keyedList(const MatchList& list, const MatchResults& results) {
    std::map<std::string, std::size_t> byName;
    for (std::size_t i = 0; i < results.teams.size(); ++i) byName.emplace(text::normalizeName(results.teams[i].name), i);
    MatchList keyed = list;
    for (Match& m : keyed.matches)
        for (std::string* name : {&m.team1, &m.team2})
            if (const auto at = byName.find(text::normalizeName(*name)); at != byName.end()) *name = teamKey(at->second);
    return keyed;
}

// `day`'s results (of the keyed list) for the teams of `all`, in that order
// and under their names, so that the import's plan fits them; a team the day
// does not list has no results yet.
MatchResults alignedTo(const MatchResults& all, MatchResults day) {
    std::map<std::string, std::size_t> byKey;
    for (std::size_t i = 0; i < day.teams.size(); ++i) byKey.emplace(day.teams[i].name, i);
    MatchResults out;
    out.playedMatches = day.playedMatches;
    out.unplayedMatches = day.unplayedMatches;
    out.groupStageDecided = day.groupStageDecided;
    for (std::size_t i = 0; i < all.teams.size(); ++i) {
        TeamResult team;
        if (const auto at = byKey.find(teamKey(i)); at != byKey.end()) team = std::move(day.teams[at->second]);
        team.name = all.teams[i].name;
        if (team.group.empty()) team.group = all.teams[i].group;
        out.teams.push_back(std::move(team));
    }
    return out;
}

// What applyImport gives `game`: its settings and teams, the members left out.
Game importedInto(const Game& game, const MatchResults& results, const ImportPlan& plan, std::string_view date,
                  ImportSummary* summary = nullptr) {
    Game out;
    out.settings = game.settings;
    out.teams() = game.teams();
    ImportSummary s = applyImport(out, results, plan, date);
    if (summary != nullptr) *summary = std::move(s);
    return out;
}

}  // namespace

MatchList listAsOf(const MatchList& list, std::string_view isoDay) {
    const std::vector<std::size_t> first = firstKnockoutRound(list);
    return dayList(list, isoDay, previousMatchDates(list), std::set<std::size_t>(first.begin(), first.end()));
}

std::vector<HistoryDay> replayedDays(const Game& game, const MatchList& list, const MatchResults& results,
                                     const ImportPlan& plan, ResultOptions options, std::string_view todayText) {
    std::set<std::string_view> days;
    for (const Match& m : list.matches)
        if (m.played() && !m.date.empty() && !shortDate(m.date).empty() && shortDate(m.date) < todayText)
            days.insert(m.date);
    if (days.empty()) return {};

    const MatchList keyed = keyedList(list, results);
    const auto previous = previousMatchDates(keyed);
    const std::vector<std::size_t> first = firstKnockoutRound(keyed);
    const std::set<std::size_t> firstRound(first.begin(), first.end());
    std::vector<HistoryDay> out;
    out.reserve(days.size());
    for (const std::string_view iso : days) {
        const std::string date = shortDate(iso);
        const MatchResults day = alignedTo(results, computeResults(dayList(keyed, iso, previous, firstRound), options));
        HistoryDay recorded = currentResults(importedInto(game, day, plan, date), date);
        recorded.rankingFixed = false;
        out.push_back(std::move(recorded));
    }
    return out;
}

ImportSummary applyImportWithHistory(Game& game, const MatchList& list, const MatchResults& results,
                                     const ImportPlan& plan, ResultOptions options, std::string_view todayText) {
    ImportSummary summary;
    Game imported = importedInto(game, results, plan, todayText, &summary);
    ResultsHistory history = game.history;
    for (HistoryDay& day : replayedDays(game, list, results, plan, options, todayText)) history.setDay(std::move(day));
    recordChange(history, currentResults(game, std::string(todayText)), currentResults(imported, std::string(todayText)));
    // Nothing below throws: the game changes whole or not at all.
    std::swap(game.settings, imported.settings);
    game.teams().swap(imported.teams());
    game.history = std::move(history);
    return summary;
}

}  // namespace scorvale::imports
