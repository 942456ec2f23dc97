#include "model/results_history.h"

#include <algorithm>

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

}  // namespace scorvale
