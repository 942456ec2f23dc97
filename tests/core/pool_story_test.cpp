#include <gtest/gtest.h>

#include "report/pool_story.h"
#include "scoring/standings.h"

namespace scorvale {
namespace {

using Kind = Movement::Kind;

// Three teams and four members; A wins more as the days go by.
Game storyGame() {
    Game g;
    g.settings.maxBet = 1;
    g.settings.qualifyBonus = 0;
    for (const char* name : {"A", "B", "C"}) {
        Team t;
        t.name = name;
        g.addTeam(t);
    }
    const char* picks[] = {"A", "B", "C", "A"};
    const char* names[] = {"ann", "bob", "cid", "dan"};
    for (int i = 0; i < 4; ++i) {
        Member m;
        m.name = names[i];
        m.date = "02/06/01";
        m.appendVote(picks[i]);
        g.addMember(m);
    }
    return g;
}

void setWins(Game& g, int a, int b, int c) {
    g.teamAt(0).wins = a;
    g.teamAt(1).wins = b;
    g.teamAt(2).wins = c;
    computeStandings(g);
}

void record(Game& g, const char* date) { g.history.setDay(currentResults(g, date)); }

TEST(PoolStory, WithoutHistoryTodayIsTheOnlyPoint) {
    Game g = storyGame();
    setWins(g, 1, 2, 0);
    const PoolStory s = tellStory(g);
    EXPECT_EQ(s.pointDates, std::vector<std::string>{""});
    EXPECT_EQ(s.baseline, -1);
    for (const Movement& m : s.movement) EXPECT_EQ(m.kind, Kind::none);
    EXPECT_EQ(s.members, (std::vector<int>{1, 0, 3, 2}));  // bob, then ann and dan tied in collection order
}

// Movement is measured from the recorded day before today's; today is the
// last recorded day when its results are today's, else a point of its own.
TEST(PoolStory, MovementSinceTheDayBeforeToday) {
    Game g = storyGame();
    setWins(g, 0, 0, 2);
    record(g, "02/06/10");  // cid leads
    setWins(g, 0, 1, 2);
    record(g, "02/06/14");  // cid, then bob
    setWins(g, 3, 1, 2);
    record(g, "02/06/18");  // ann and dan lead

    PoolStory s = tellStory(g);
    EXPECT_EQ(s.pointDates, (std::vector<std::string>{"02/06/10", "02/06/14", "02/06/18"}));
    EXPECT_EQ(s.baseline, 1);
    EXPECT_EQ(s.ranks[1], (std::vector<std::int32_t>{3, 2, 1, 3}));
    EXPECT_EQ(s.ranks[2], (std::vector<std::int32_t>{1, 4, 3, 1}));
    const Movement expected[] = {{Kind::up, 2}, {Kind::down, 2}, {Kind::down, 2}, {Kind::up, 2}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(s.movement[i].kind, expected[i].kind) << i;
        EXPECT_EQ(s.movement[i].places, expected[i].places) << i;
    }

    // The same results in another team order are still today's.
    std::swap(g.teams()[0], g.teams()[2]);
    computeStandings(g);
    EXPECT_EQ(tellStory(g).pointDates.size(), 3u);

    // Results changed since the last record: today follows it.
    g.teamAt(1).wins = 9;
    computeStandings(g);
    s = tellStory(g);
    EXPECT_EQ(s.pointDates, (std::vector<std::string>{"02/06/10", "02/06/14", "02/06/18", ""}));
    EXPECT_EQ(s.baseline, 2);
    EXPECT_EQ(s.ranks[2], (std::vector<std::int32_t>{1, 4, 3, 1}));  // the 18th as it was recorded
}

TEST(PoolStory, AMemberWhoseLastChangeIsAfterTheBaselineIsNew) {
    Game g = storyGame();
    setWins(g, 0, 1, 0);
    record(g, "02/06/10");
    setWins(g, 0, 1, 1);
    record(g, "02/06/14");
    setWins(g, 1, 1, 1);
    record(g, "02/06/18");
    g.memberAt(0).date = "02/06/15";  // after the baseline: not ranked then
    g.memberAt(1).date = "02/06/14";  // on the baseline day: ranked then
    g.memberAt(2).date = "02/06/30";  // beyond every day: still today's point
    g.memberAt(3).date = "June";      // no date of a day: from the start
    const PoolStory s = tellStory(g);
    EXPECT_EQ(s.firstPoint, (std::vector<int>{2, 1, 2, 0}));
    EXPECT_EQ(s.movement[0].kind, Kind::newcomer);
    EXPECT_NE(s.movement[1].kind, Kind::newcomer);
    EXPECT_EQ(s.movement[2].kind, Kind::newcomer);
    EXPECT_NE(s.movement[3].kind, Kind::newcomer);
}

TEST(PoolStory, ShortDate) {
    EXPECT_EQ(shortDate("02/06/09"), "6/9");
    EXPECT_EQ(shortDate("26/12/31"), "12/31");
    EXPECT_EQ(shortDate("2002/6/9"), "2002/6/9");
    EXPECT_EQ(shortDate(""), "");
}

}  // namespace
}  // namespace scorvale
