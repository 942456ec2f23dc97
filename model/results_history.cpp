#include "model/results_history.h"

#include <algorithm>
#include <tuple>

#include "model/game.h"

namespace scorvale {

void ResultsHistory::setDay(HistoryDay day) {
    // "%y/%m/%d" orders as text within one century.
    const auto at = std::lower_bound(days_.begin(), days_.end(), day.date,
                                     [](const HistoryDay& d, const std::string& date) { return d.date < date; });
    if (at != days_.end() && at->date == day.date) *at = std::move(day);
    else days_.insert(at, std::move(day));
}

Team recordedTeam(const RecordedResults& r) {
    Team t;
    t.name = r.name;
    t.wins = r.wins;
    t.draws = r.draws;
    t.losses = r.losses;
    t.tournamentWins = r.tournamentWins;
    t.goalDiff = r.goalDiff;
    t.qualify = r.qualify;
    t.out = r.out;
    return t;
}

HistoryDay currentResults(const Game& game, std::string date) {
    HistoryDay day{std::move(date), game.settings.over != 0, {}};
    day.teams.reserve(game.teams().size());
    for (const Team& t : game.teams())
        day.teams.push_back({t.name, t.wins, t.draws, t.losses, t.tournamentWins, t.goalDiff, t.qualify, t.out});
    return day;
}

namespace {

bool hasResults(const RecordedResults& t) {
    return t.wins != 0 || t.draws != 0 || t.losses != 0 || t.tournamentWins != 0 || t.goalDiff != 0 ||
           t.qualify != 0 || t.out != 0;
}

auto fields(const RecordedResults& t) {
    return std::tie(t.name.str(), t.wins, t.draws, t.losses, t.tournamentWins, t.goalDiff, t.qualify, t.out);
}

std::vector<const RecordedResults*> sortedWithResults(const HistoryDay& day) {
    std::vector<const RecordedResults*> teams;
    for (const RecordedResults& t : day.teams)
        if (hasResults(t)) teams.push_back(&t);
    std::sort(teams.begin(), teams.end(), [](const auto* a, const auto* b) { return fields(*a) < fields(*b); });
    return teams;
}

}  // namespace

bool sameResults(const HistoryDay& a, const HistoryDay& b) {
    if (a.rankingFixed != b.rankingFixed) return false;
    const auto left = sortedWithResults(a);
    const auto right = sortedWithResults(b);
    return std::equal(left.begin(), left.end(), right.begin(), right.end(),
                      [](const auto* x, const auto* y) { return *x == *y; });
}

bool recordChange(ResultsHistory& history, const HistoryDay& before, HistoryDay now) {
    if (sameResults(before, now)) return false;
    history.setDay(std::move(now));
    return true;
}

}  // namespace scorvale
