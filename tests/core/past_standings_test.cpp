#include <gtest/gtest.h>

#include "scoring/past_standings.h"
#include "scoring/standings.h"
#include "tests/support/literal_standings.h"
#include "tests/support/random_game.h"

namespace scorvale {
namespace {

RecordedResults results(const char* name, int wins, int goalDiff = 0, int qualify = 0) {
    RecordedResults r;
    r.name = name;
    r.wins = wins;
    r.goalDiff = goalDiff;
    r.qualify = qualify;
    return r;
}

Member voter(const char* name, std::initializer_list<const char*> votes) {
    Member m;
    m.name = name;
    for (const char* v : votes) m.appendVote(v);
    return m;
}

// The standings on a day as their rule reads: today's game with the day's
// teams in place of today's, the ranking fixed as it was then, scored whole.
PastStandings literally(const Game& game, const HistoryDay& day) {
    Game then = game;
    then.clearTeams();
    for (const RecordedResults& r : day.teams) then.addTeam(recordedTeam(r));
    then.settings.over = day.rankingFixed ? 1 : 0;
    literal::computeStandings(then);
    PastStandings s;
    for (const Member& m : then.members()) {
        s.scores.push_back(m.score);
        s.ranks.push_back(m.rank);
    }
    return s;
}

// Days made from random games: their teams share some names with today's,
// lack some and bring others; ranking fixed or not; settings of every kind.
TEST(PastStandings, MatchTheLiteralRuleOnRandomDays) {
    testing::RandomGames random(2106);
    for (int round = 0; round < 400; ++round) {
        Game game = random.game(16, 25);
        std::vector<HistoryDay> days;
        for (int d = random.uniform(0, 4); d > 0; --d) {
            Game other = random.game(16, 1);
            HistoryDay day = currentResults(other, "02/06/1" + std::to_string(d));
            for (const Team& t : game.teams())
                if (random.uniform(0, 2) > 0) {
                    RecordedResults r{t.name, random.anyInt(), random.uniform(-2, 5), random.uniform(0, 3),
                                      random.uniform(0, 2), random.uniform(-9, 9), random.uniform(0, 1),
                                      random.uniform(0, 1)};
                    day.teams.insert(day.teams.begin() + random.uniform(0, static_cast<int>(day.teams.size())), r);
                }
            day.rankingFixed = random.uniform(0, 1) == 1;
            days.push_back(day);
        }
        const std::vector<PastStandings> fast = standingsOnDays(game, days);
        ASSERT_EQ(fast.size(), days.size());
        for (std::size_t d = 0; d < days.size(); ++d)
            ASSERT_EQ(fast[d], literally(game, days[d])) << "round " << round << " day " << d;
    }
}

TEST(PastStandings, UseThatDaysTeamsWithTodaysRulesAndMembers) {
    Game game;
    game.settings.maxBet = 2;
    game.settings.winPoints = 3;
    game.settings.qualifyBonus = 0;
    game.settings.bonus1 = 100;
    game.settings.bonus2 = game.settings.bonus3 = 0;
    game.settings.over = 1;  // today: fixed, but not on the first day
    game.addMember(voter("ann", {"A", "B"}));
    game.addMember(voter("bob", {"B", "C"}));
    game.addMember(voter("cid", {"C", "A"}));

    HistoryDay early{"02/06/10", false, {results("A", 1), results("B", 2)}};  // C did not exist yet
    HistoryDay late{"02/06/20", true, {results("A", 3), results("B", 2), results("C", 1)}};
    const std::vector<PastStandings> s = standingsOnDays(game, std::vector{early, late});

    // Early: A 3, B 6, C absent; no place bonus. ann 3*2+6*1, bob 6*2, cid 0+3*1.
    EXPECT_EQ(s[0].scores, (std::vector<std::int32_t>{12, 12, 3}));
    EXPECT_EQ(s[0].ranks, (std::vector<std::int32_t>{1, 1, 3}));
    // Late: A 9+100 (first place, fixed that day), B 6, C 3.
    EXPECT_EQ(s[1].scores, (std::vector<std::int32_t>{218 + 6, 12 + 3, 6 + 109}));
    EXPECT_EQ(s[1].ranks, (std::vector<std::int32_t>{1, 3, 2}));
    EXPECT_TRUE(standingsOnDays(game, {}).empty());
}

}  // namespace
}  // namespace scorvale
