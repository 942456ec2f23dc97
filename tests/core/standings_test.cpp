#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "scoring/ordering.h"
#include "scoring/standings.h"
#include "tests/support/random_game.h"

namespace scorvale {
namespace {

Team team(const char* name, int wins, int goalDiff = 0, int qualify = 0) {
    Team t;
    t.name = name;
    t.wins = wins;
    t.goalDiff = goalDiff;
    t.qualify = qualify;
    return t;
}

std::vector<int> ranks(const Game& g) {
    std::vector<int> r;
    for (const Team& t : g.teams()) r.push_back(t.rank);
    return r;
}

TEST(TeamStandings, ResultsBonusAndRank) {
    Game g;
    Team a = team("A", 2);
    a.draws = 1;
    a.losses = 1;
    a.tournamentWins = 1;
    g.addTeam(a);
    g.addTeam(team("Q", 0, 0, 1));  // qualified: 30 bonus
    g.teamAt(1).wins = 3;           // 9 + 30 = 39
    g.addTeam(team("U", 13));        // 39 points, no bonus, better goal diff
    g.teamAt(2).goalDiff = 5;
    g.teamAt(2).out = 1;  // eliminated still scores
    computeStandings(g);
    EXPECT_EQ(g.teamAt(0).points, 13);
    EXPECT_EQ(g.teamAt(0).played, 5);
    EXPECT_EQ(g.teamAt(1).bonus, 30);
    EXPECT_EQ(ranks(g), (std::vector<int>{3, 2, 1}));  // 39 vs 39: goal difference decides
    g.teamAt(2).goalDiff = 0;
    computeStandings(g);
    EXPECT_EQ(ranks(g), (std::vector<int>{3, 1, 1}));  // full tie shares the rank
}

// The teams are visited by their standing before place bonuses, so no
// order of the collection can give a place twice: in each of the six orders
// Z (15) takes 1st and 20, X (10) 2nd and 10, Y (5) 3rd and bonus3 0.
TEST(TeamStandings, PlaceBonusesDoNotDependOnCollectionOrder) {
    Game g;
    g.settings.over = 1;
    g.settings.winPoints = 1;
    g.settings.bonus1 = 20;
    g.settings.bonus2 = 10;
    g.settings.bonus3 = 0;
    std::vector<Team> teams = {team("X", 10), team("Y", 5), team("Z", 15)};
    std::sort(teams.begin(), teams.end(), [](const Team& a, const Team& b) { return a.name.str() < b.name.str(); });
    do {
        g.clearTeams();
        std::string order;
        for (const Team& t : teams) {
            g.addTeam(t);
            order += t.name.str();
        }
        computeStandings(g);
        for (const auto& [name, rank, bonus] : {std::tuple{"X", 2, 10}, {"Y", 3, 0}, {"Z", 1, 20}}) {
            const Team& t = g.teamAt(g.findTeamByName(name));
            EXPECT_EQ(t.rank, rank) << name << " in order " << order;
            EXPECT_EQ(t.bonus, bonus) << name << " in order " << order;
        }
    } while (std::next_permutation(teams.begin(), teams.end(),
                                   [](const Team& a, const Team& b) { return a.name.str() < b.name.str(); }));
}

// Of two teams equal in total and goal difference the earlier in the
// collection takes the place, wherever a better team stands.
TEST(TeamStandings, FullTieGoesToTheEarlierTeam) {
    Game g;
    g.settings.over = 1;
    g.settings.winPoints = 1;
    g.settings.qualifyBonus = 0;
    g.addTeam(team("C", 3));
    g.addTeam(team("B", 9));
    g.addTeam(team("A", 9));
    g.addTeam(team("D", 9, 1));  // the better goal difference comes first
    computeStandings(g);
    EXPECT_EQ(ranks(g), (std::vector<int>{4, 2, 3, 1}));
    std::vector<int> bonuses;
    for (const Team& t : g.teams()) bonuses.push_back(t.bonus);
    EXPECT_EQ(bonuses, (std::vector<int>{0, 10, 0, 20}));
}

// A random game and any reordering of it that keeps the order among teams
// equal in total and goal difference: every computed field of every team
// and member is the same.
TEST(TeamStandings, OnlyFullTiesDependOnTheOrder) {
    testing::RandomGames random(2022);
    for (int round = 0; round < 2000; ++round) {
        Game g = random.game(12, 6);
        if (random.uniform(0, 1)) g.settings.over = 1;
        // A vote counts for the first team of its name: with names unique,
        // the order cannot change the members' side either.
        std::set<std::string> seen;
        std::erase_if(g.teams(), [&](const Team& t) { return !seen.insert(t.name.str()).second; });
        computeStandings(g);
        // Tie classes are told by the totals before place bonuses.
        Game plain = g;
        plain.settings.over = 0;
        computeStandings(plain);
        const auto standing = [&](std::size_t i) {
            const Team& t = plain.teams()[i];
            return std::pair{static_cast<std::int32_t>(static_cast<std::uint32_t>(t.points) + static_cast<std::uint32_t>(t.bonus)),
                             t.goalDiff};
        };
        std::vector<std::size_t> order(g.teams().size());
        for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
        std::shuffle(order.begin(), order.end(), std::mt19937(static_cast<unsigned>(round)));
        // Put each tie class back in its original order within the slots it took.
        for (std::size_t a = 0; a < order.size(); ++a)
            for (std::size_t b = a + 1; b < order.size(); ++b)
                if (standing(order[a]) == standing(order[b]) && order[a] > order[b]) std::swap(order[a], order[b]);
        Game shuffled = g;
        for (std::size_t i = 0; i < order.size(); ++i) shuffled.teams()[i] = g.teams()[order[i]];
        computeStandings(shuffled);
        for (std::size_t i = 0; i < order.size(); ++i)
            ASSERT_EQ(shuffled.teams()[i], g.teams()[order[i]]) << "round " << round << " team " << order[i];
        ASSERT_EQ(shuffled.members(), g.members()) << "round " << round;
    }
}

TEST(TeamStandings, TiedFirstPlaceAndZeroPoints) {
    Game g;
    g.settings.over = 1;
    g.settings.winPoints = 3;
    g.addTeam(team("A", 3));
    g.addTeam(team("B", 3));
    computeStandings(g);
    EXPECT_EQ(ranks(g), (std::vector<int>{1, 2}));
    EXPECT_EQ(g.teamAt(0).bonus, 20);
    EXPECT_EQ(g.teamAt(1).bonus, 10);

    Game empty;
    empty.settings.over = 1;
    empty.addTeam(team("N", 0));
    computeStandings(empty);
    EXPECT_EQ(empty.teamAt(0).rank, 1);
    EXPECT_EQ(empty.teamAt(0).bonus, 0);  // no results yet, no place bonus

    g.settings.over = 0;
    computeStandings(g);
    EXPECT_EQ(ranks(g), (std::vector<int>{1, 1}));
    EXPECT_EQ(g.teamAt(0).bonus, 0);
}

// maxBet 3 with teams worth 10, 4 and 0 (points plus bonus).
Game threeVoteGame(int rate) {
    Game g;
    g.settings.maxBet = 3;
    g.settings.rate = rate;
    g.settings.winPoints = 1;
    g.settings.qualifyBonus = 0;
    g.addTeam(team("X", 10));
    g.addTeam(team("Y", 4));
    g.addTeam(team("Z", 0));
    return g;
}

TEST(MemberScores, WeightsRatesAndPopularity) {
    for (auto [rate, score] : {std::pair{1, 38}, {2, 964}, {3, 27512}, {4, 38}}) {
        Game g = threeVoteGame(rate);
        Member m;
        for (const char* v : {"X", "Y", "Z", "X2", "Y"}) m.appendVote(v);  // beyond maxBet count nothing
        g.addMember(m);
        computeStandings(g);
        EXPECT_EQ(g.memberAt(0).score, score) << rate;
        EXPECT_EQ(g.teamAt(0).popularity, 3);
        EXPECT_EQ(g.teamAt(1).popularity, 2);
        EXPECT_EQ(g.teamAt(2).popularity, 1);
    }
}

TEST(MemberScores, MissingAndDuplicateTeamsAndRanks) {
    Game g = threeVoteGame(1);
    g.addTeam(team("X", 100));  // same name as team 0: never found
    Member a, b, c, none;
    a.appendVote("X");           // 30
    b.appendVote("nobody");      // 0 until such a team exists
    b.appendVote("X");           // 20
    c.appendVote("X");           // 30
    g.addMember(a);
    g.addMember(b);
    g.addMember(c);
    g.addMember(none);
    computeStandings(g);
    EXPECT_EQ(g.memberAt(0).score, 30);
    EXPECT_EQ(g.memberAt(1).score, 20);
    EXPECT_EQ(g.memberAt(3).score, 0);
    EXPECT_EQ(g.teamAt(3).popularity, 0);
    std::vector<int> r;
    for (const Member& m : g.members()) r.push_back(m.rank);
    EXPECT_EQ(r, (std::vector<int>{1, 3, 1, 4}));

    g.addTeam(team("nobody", 1));
    computeStandings(g);
    EXPECT_EQ(g.memberAt(1).score, 23);

    g.settings.maxBet = 0;  // counts nothing
    computeStandings(g);
    EXPECT_EQ(g.memberAt(0).score, 0);
    EXPECT_EQ(g.teamAt(0).popularity, 0);
}

TEST(MemberScores, SignsAndWrap) {
    Game g;
    g.settings.maxBet = 32;
    g.settings.winPoints = 1;
    g.settings.qualifyBonus = 0;
    g.addTeam(team("W", 100));
    g.addTeam(team("N", -2));
    Member m;
    m.appendVote("W");
    g.addMember(m);
    Member n;
    n.appendVote("N");
    g.addMember(n);
    g.settings.rate = 3;
    computeStandings(g);
    EXPECT_EQ(g.memberAt(0).score, -1591738368);
    EXPECT_EQ(g.memberAt(1).score, -64 * 64 * 64);
    g.settings.rate = 2;
    computeStandings(g);
    EXPECT_EQ(g.memberAt(1).score, 64 * 64);
}

}  // namespace
}  // namespace scorvale
