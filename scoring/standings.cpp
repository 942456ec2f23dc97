#include "scoring/standings.h"

#include <algorithm>
#include <string_view>

#include "model/wrap_int.h"
#include "scoring/radix_sort.h"
#include "scoring/team_index.h"

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

// A radix key of 32 bits that puts larger signed values first.
std::uint64_t descendingBits(std::int32_t v) { return ~(static_cast<std::uint32_t>(v) ^ 0x80000000u) & 0xFFFFFFFFu; }

// Ranks the teams and awards place bonuses, visiting them by their standing
// before place bonuses: ranking total, then goal difference, best first, and
// teams equal on both in collection order. A bonus awarded to one team only
// lifts it further past the teams visited after it, so how the list was
// last ordered decides nothing but which of two fully tied teams takes a
// place: the earlier in the collection.
void rankTeams(const GameSettings& s, std::vector<Team>& teams) {
    std::vector<KeyedIndex>& visit = keyedScratch(teams.size());
    for (std::size_t i = 0; i < teams.size(); ++i)
        visit[i] = {descendingBits(rankingTotal(teams[i])) << 32 | descendingBits(teams[i].goalDiff),
                    static_cast<std::uint32_t>(i)};
    radixSortByKey(visit);  // stable: full ties keep collection order
    for (const KeyedIndex& v : visit) {
        Team& t = teams[v.index];
        std::int32_t rank = 1;
        for (std::size_t j = 0; j < teams.size(); ++j) {
            if (j == v.index) continue;
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

constexpr std::size_t kPrefetchAhead = 8;

void prefetchVotes(const Member& m) {
    const char* bytes = m.votes().data();
    const std::size_t size = m.votes().byteSize();
    for (std::size_t offset = 0; offset < size; offset += 64) __builtin_prefetch(bytes + offset);
}

void scoreMembers(Game& game) {
    auto& teams = game.teams();
    const TeamIndex teamByName(teams);  // built once per pass

    const int exponent = rateExponent(game.settings.rate);
    const std::int32_t maxBet = game.settings.maxBet;
    // Per team: points plus bonus, so the inner loop does one lookup and a few multiplications.
    std::vector<std::int32_t> totals(teams.size());
    for (std::size_t i = 0; i < teams.size(); ++i) totals[i] = rankingTotal(teams[i]);

    auto& members = game.members();
    for (std::size_t i = 0; i < members.size(); ++i) {
        // After a reordering the vote lists lie scattered over the heap; fetch
        // a few members ahead so the pass is not bound by memory latency.
        if (i + kPrefetchAhead < members.size()) prefetchVotes(members[i + kPrefetchAhead]);
        Member& m = members[i];
        std::int32_t score = 0;
        const int counted = std::min<std::int32_t>(m.voteCount(), std::max<std::int32_t>(maxBet, 0));
        auto vote = m.votes().begin();
        for (int p = 0; p < counted; ++p, ++vote) {
            const int found = teamByName.find(*vote);
            if (found < 0) continue;
            const auto t = static_cast<std::size_t>(found);
            const std::int32_t weight = wrapSub(maxBet, p);
            score = wrapAdd(score, wrapPower(wrapMul(totals[t], weight), exponent));
            teams[t].popularity = wrapAdd(teams[t].popularity, weight);
        }
        m.score = score;
    }
}

// Rank = 1 + the number of records with a strictly greater score: after one
// ordering by score, highest first, each run of equal scores shares the rank
// of its first position.
template <typename ScoreOf, typename SetRank>
void rankScores(std::size_t count, ScoreOf scoreOf, SetRank setRank) {
    std::vector<KeyedIndex>& byScore = keyedScratch(count);
    for (std::size_t i = 0; i < count; ++i) {
        byScore[i] = {descendingBits(scoreOf(i)), static_cast<std::uint32_t>(i)};
    }
    radixSortByKey(byScore);
    std::int32_t rank = 1;
    for (std::size_t pos = 0; pos < byScore.size(); ++pos) {
        if (pos > 0 && byScore[pos].key != byScore[pos - 1].key) rank = static_cast<std::int32_t>(pos) + 1;
        setRank(byScore[pos].index, rank);
    }
}

}  // namespace

void computeTeamStandings(const GameSettings& settings, std::vector<Team>& teams) {
    for (Team& team : teams) scoreResults(settings, team);
    rankTeams(settings, teams);
}

void rankByScore(std::span<const std::int32_t> scores, std::span<std::int32_t> ranks) {
    rankScores(
        scores.size(), [&](std::size_t i) { return scores[i]; },
        [&](std::size_t i, std::int32_t rank) { ranks[i] = rank; });
}

void computeStandings(Game& game) {
    computeTeamStandings(game.settings, game.teams());
    scoreMembers(game);
    auto& members = game.members();
    rankScores(
        members.size(), [&](std::size_t i) { return members[i].score; },
        [&](std::size_t i, std::int32_t rank) { members[i].rank = rank; });
}

}  // namespace scorvale
