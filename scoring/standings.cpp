#include "scoring/standings.h"

#include <algorithm>
#include <functional>
#include <string_view>
#include <unordered_map>

#include "model/wrap_int.h"

namespace scorvale {

namespace {

void scoreResults(const GameSettings& s, Team& team) {
    team.points = wrapAdd(wrapAdd(wrapMul(team.wins, s.winPoints), wrapMul(team.losses, s.losePoints)),
                          wrapAdd(wrapMul(team.draws, s.drawPoints),
                                  wrapMul(team.tournamentWins, s.tournamentWinPoints)));
    team.played = wrapAdd(wrapAdd(team.wins, team.losses), wrapAdd(team.draws, team.tournamentWins));
    team.bonus = team.qualify != 0 ? s.qualifyBonus : 0;
}

std::int32_t rankingTotal(const Team& team) { return wrapAdd(team.points, team.bonus); }

// Ranks teams in collection order; a place bonus awarded to a team counts in
// the comparisons of every team after it in the same pass.
void rankTeams(const GameSettings& s, std::vector<Team>& teams) {
    for (std::size_t i = 0; i < teams.size(); ++i) {
        Team& t = teams[i];
        std::int32_t rank = 1;
        for (std::size_t j = 0; j < teams.size(); ++j) {
            if (j == i) continue;
            const std::int32_t mine = rankingTotal(t);
            const std::int32_t theirs = rankingTotal(teams[j]);
            if (mine < theirs || (mine == theirs && t.goalDiff < teams[j].goalDiff)) ++rank;
        }
        t.rank = rank;
        if (t.points != 0 && s.over != 0) {
            if (rank == 1) t.bonus = wrapAdd(t.bonus, s.bonus1);
            else if (rank == 2) t.bonus = wrapAdd(t.bonus, s.bonus2);
            else if (rank == 3) t.bonus = wrapAdd(t.bonus, s.bonus3);
        }
        t.popularity = 0;
    }
}

void scoreMembers(Game& game) {
    auto& teams = game.teams();
    // The first team of each name in collection order; built once per pass.
    std::unordered_map<std::string_view, int> teamByName;
    teamByName.reserve(teams.size() * 2);
    for (std::size_t i = 0; i < teams.size(); ++i)
        teamByName.emplace(teams[i].name.view(), static_cast<int>(i));

    const int exponent = rateExponent(game.settings.rate);
    const std::int32_t maxBet = game.settings.maxBet;
    // Per team: points plus bonus, so the inner loop does one lookup and a few multiplications.
    std::vector<std::int32_t> totals(teams.size());
    for (std::size_t i = 0; i < teams.size(); ++i) totals[i] = rankingTotal(teams[i]);

    for (Member& m : game.members()) {
        std::int32_t score = 0;
        const int counted = std::min<std::int32_t>(m.voteCount(), std::max<std::int32_t>(maxBet, 0));
        for (int p = 0; p < counted; ++p) {
            const auto found = teamByName.find(m.vote(p).view());
            if (found == teamByName.end()) continue;
            const auto t = static_cast<std::size_t>(found->second);
            const std::int32_t weight = wrapSub(maxBet, p);
            score = wrapAdd(score, wrapPower(wrapMul(totals[t], weight), exponent));
            teams[t].popularity = wrapAdd(teams[t].popularity, weight);
        }
        m.score = score;
    }
}

// Rank = 1 + the number of members with a strictly greater score.
void rankMembers(std::vector<Member>& members) {
    std::vector<std::int32_t> scores;
    scores.reserve(members.size());
    for (const Member& m : members) scores.push_back(m.score);
    std::sort(scores.begin(), scores.end(), std::greater<>());
    for (Member& m : members) {
        const auto firstNotGreater = std::lower_bound(scores.begin(), scores.end(), m.score, std::greater<>());
        m.rank = static_cast<std::int32_t>(firstNotGreater - scores.begin()) + 1;
    }
}

}  // namespace

void computeStandings(Game& game) {
    for (Team& team : game.teams()) scoreResults(game.settings, team);
    rankTeams(game.settings, game.teams());
    scoreMembers(game);
    rankMembers(game.members());
}

}  // namespace scorvale
