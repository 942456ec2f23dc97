#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scoring/ordering.h"

namespace scorvale {
namespace {

TEST(CompareText, ShiftJisCharacterOrder) {
    struct Case {
        const char* a;
        const char* b;
        int expected;
    } cases[] = {
        {"", "", 0},
        {"", "A", -1},
        {"A", "A", 0},
        {"A", "B", -1},
        {"a", "B", 1},                   // no case folding
        {"AB", "ABC", -1},               // shorter prefix first
        {"\xb1", "\x82\xa0", -1},        // ｱ (half-width) before あ
        {"z", "\x81\x40", -1},           // single byte before double byte
        {"\x82\xa0", "\x82\xa2", -1},    // あ before い
        {"\x93\xfa", "\x93\xfa", 0},
        {"\xfb\xfc", "\x88\x9f", 1},
        {"04/08/02", "04/08/16", -1},    // dates sort chronologically
        {"99/12/31", "04/01/01", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(compareText(c.a, c.b), c.expected) << c.a << " vs " << c.b;
        EXPECT_EQ(compareText(c.b, c.a), -c.expected) << c.b << " vs " << c.a;
    }
}

Game teamsForSorting() {
    Game g;
    struct Row {
        const char* name;
        int points, goalDiff, losses, popularity;
        const char* date;
    } rows[] = {{"C", 5, 1, 2, 7, "04/08/16"},
                {"A", 5, 3, 1, 7, "04/08/02"},
                {"B", 9, 0, 3, 1, ""},
                {"D", 5, 3, 0, 2147483647, "04/08/02"},
                {"E", -2147483647 - 1, 0, 0, -2147483647 - 1, "a"}};
    for (const Row& r : rows) {
        Team t;
        t.name = r.name;
        t.points = r.points;
        t.goalDiff = r.goalDiff;
        t.losses = r.losses;
        t.popularity = r.popularity;
        t.date = r.date;
        g.addTeam(t);
    }
    return g;
}

std::string teamOrder(const Game& g) {
    std::string s;
    for (const Team& t : g.teams()) s += t.name.str();
    return s;
}

TEST(SortTeams, KeysDirectionsAndGoalDifferenceTieBreak) {
    struct Case {
        TeamSortKey key;
        const char* order;
    } cases[] = {
        {TeamSortKey::points, "BADCE"},      // desc; equal points by goal diff desc, then stable (A before D)
        {TeamSortKey::losses, "DEACB"},      // ascending; D and E tie on 0: goal diff 3 before 0
        {TeamSortKey::popularity, "DACBE"},  // values near the ends of the range order correctly
        {TeamSortKey::goalDiff, "ADCBE"},    // equal ones keep their order
        {TeamSortKey::date, "BADCE"},        // text: empty first, then chronological
        {TeamSortKey::name, "ABCDE"},
        {TeamSortKey{99}, "ABCDE"},  // unknown key: by name
    };
    for (const Case& c : cases) {
        Game g = teamsForSorting();
        sortTeams(g, c.key);
        EXPECT_EQ(teamOrder(g), c.order) << "key " << static_cast<int>(c.key);
        sortTeams(g, c.key);
        EXPECT_EQ(teamOrder(g), c.order) << "second sort, key " << static_cast<int>(c.key);
    }
}

TEST(SortMembers, KeysAndStability) {
    Game g;
    struct Row {
        const char* name;
        int score, rank;
        const char* firstVote;
    } rows[] = {{"m1", 50, 1, "B"}, {"m2", 20, 3, ""}, {"m3", 50, 1, "A"}, {"m0", -5, 4, "A"}};
    for (const Row& r : rows) {
        Member m;
        m.name = r.name;
        m.score = r.score;
        m.rank = r.rank;
        if (*r.firstVote) m.appendVote(r.firstVote);
        g.addMember(m);
    }
    auto order = [&] {
        std::string s;
        for (const Member& m : g.members()) s += m.name.str().substr(1);
        return s;
    };
    sortMembers(g, MemberSortKey::score);
    EXPECT_EQ(order(), "1320");  // equal scores keep their order
    sortMembers(g, MemberSortKey::firstVote);
    EXPECT_EQ(order(), "2301");  // no votes first
    sortMembers(g, MemberSortKey::rank);
    EXPECT_EQ(order(), "3120");
    sortMembers(g, MemberSortKey::name);
    EXPECT_EQ(order(), "0123");
}

}  // namespace
}  // namespace scorvale
