#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/game.h"
#include "model/wrap_int.h"

namespace scorvale {
namespace {

TEST(TextField, CutsAtCharacterBoundaryAndNul) {
    struct Case {
        std::string in;
        std::size_t expectedSize;
    } cases[] = {
        {std::string(127, 'a'), 127},
        {std::string(200, 'a'), 127},
        {std::string(126, 'a') + "\x93\xfa", 126},  // 日 would straddle the bound
        {std::string(125, 'a') + "\x93\xfa", 127},
        {"\xb1" + std::string(130, 'b'), 127},       // half-width katakana is one byte
        {std::string("ab\0cd", 5), 2},
        {"", 0},
    };
    for (const Case& c : cases) {
        const TextField f(c.in);
        EXPECT_EQ(f.size(), c.expectedSize) << c.in.size();
        EXPECT_EQ(f.view(), std::string_view(c.in).substr(0, c.expectedSize));
    }
    // Every double-byte character stays whole when a text of them is cut.
    std::string kanji;
    for (int i = 0; i < 100; ++i) kanji += "\x93\xfa";
    EXPECT_EQ(TextField(kanji).size(), 126u);
}

TEST(Member, VoteListOperations) {
    Member m;
    EXPECT_EQ(m.addVote("A"), 0);
    EXPECT_EQ(m.addVote("B"), 1);
    EXPECT_EQ(m.addVote("A"), Member::kAlreadyVoted);
    EXPECT_EQ(m.insertVote(0, "C"), 3);  // C A B
    EXPECT_EQ(m.findVote("B"), 2);
    EXPECT_EQ(m.findVote("b"), -1);
    EXPECT_EQ(m.removeVote(1), 2);  // C B
    EXPECT_EQ(m.vote(0), "C");
    EXPECT_EQ(m.vote(1), "B");
    EXPECT_TRUE(m.vote(2).empty());  // vacated slot reads empty
    EXPECT_EQ(m.removeVote(5), 2);    // out of range: nothing
    EXPECT_TRUE(m.vote(-1).empty());
}

// Votes live in one block of length-prefixed texts: a cut, an insert in the
// middle, removal at either end and iteration must keep every neighbour whole.
TEST(Member, VoteBlockKeepsNeighboursWhole) {
    std::string kanji;
    for (int i = 0; i < 100; ++i) kanji += "\x93\xfa";
    Member m;
    ASSERT_TRUE(m.appendVote(kanji));                    // cut to 126 bytes
    ASSERT_TRUE(m.appendVote(std::string("x\0y", 3)));  // cut at the NUL
    ASSERT_TRUE(m.appendVote(""));
    ASSERT_TRUE(m.appendVote(std::string(127, 'z')));
    EXPECT_EQ(m.insertVote(1, "mid"), 5);
    m.removeVote(0);
    m.removeVote(3);
    const std::vector<std::string> expected = {"mid", "x", ""};
    std::vector<std::string> seen;
    for (const std::string_view v : m.votes()) seen.emplace_back(v);
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(m.findVote(""), 2);
    EXPECT_EQ(m.insertVote(9, "out of range"), 3);

    Member cut;
    cut.appendVote(kanji);
    EXPECT_EQ(cut.vote(0).size(), 126u);
    Member same = m;
    EXPECT_EQ(same, m);
    same.removeVote(2);
    same.appendVote("");
    EXPECT_EQ(same, m);  // equal lists compare equal however they were built
}

// A vote handed back to its own list points into the block that the insert
// shifts, or regrows and frees; it must arrive as it was.
TEST(Member, VoteFromTheSameListInsertedOrAppended) {
    struct Case {
        int votes;
        std::size_t length;
        int from;
        int at;  // -1: appended
    } cases[] = {
        {2, 10, 1, 0},    // shifted inside the list
        {2, 56, 1, 0},    // the inline block is full: moved to the heap
        {12, 100, 11, 0}, // shifted on the heap
        {9, 100, 8, 0},   // the heap block is full: regrown, the old one freed
        {9, 100, 4, -1},
        {12, 100, 0, 12},
    };
    for (const Case& c : cases) {
        Member m;
        std::vector<std::string> expected;
        for (int i = 0; i < c.votes; ++i) {
            expected.emplace_back(c.length, static_cast<char>('a' + i));
            m.appendVote(expected.back());
        }
        const std::string copy = expected[static_cast<std::size_t>(c.from)];
        if (c.at < 0) {
            ASSERT_TRUE(m.appendVote(m.vote(c.from)));
            expected.push_back(copy);
        } else {
            ASSERT_EQ(m.insertVote(c.at, m.vote(c.from)), c.votes + 1);
            expected.insert(expected.begin() + c.at, copy);
        }
        std::vector<std::string> seen;
        for (const std::string_view v : m.votes()) seen.emplace_back(v);
        EXPECT_EQ(seen, expected) << c.votes << " votes, from " << c.from << " at " << c.at;
    }
}

TEST(Member, RefusesThe65thVote) {
    Member m;
    for (int i = 0; i < Member::kMaxVotes; ++i) ASSERT_EQ(m.addVote(std::to_string(i)), i);
    EXPECT_EQ(m.addVote("new"), Member::kVotesFull);
    EXPECT_EQ(m.insertVote(0, "new"), Member::kVotesFull);
    EXPECT_FALSE(m.appendVote("new"));
    EXPECT_EQ(m.voteCount(), 64);
}

TEST(Game, CollectionsAndFinds) {
    Game g;
    EXPECT_EQ(g.findTeamByName("X"), -1);
    Team t;
    for (const char* name : {"X", "Y", "X", "", "x", "X "}) {
        t.name = name;
        g.addTeam(t);
    }
    EXPECT_EQ(g.findTeamByName("X"), 0);  // lowest index of duplicates
    EXPECT_EQ(g.findTeamByName(""), 3);
    EXPECT_EQ(g.findTeamByName("x"), 4);
    EXPECT_EQ(g.findTeamByName("X "), 5);
    g.removeTeamAt(1);
    EXPECT_EQ(g.teamAt(1).name, "X");
    EXPECT_EQ(g.teamCount(), 5);

    Member m;
    m.name = "M";
    EXPECT_EQ(g.addMember(m), 0);
    EXPECT_EQ(g.findMemberByName("M"), 0);
    g.clearMembers();
    EXPECT_EQ(g.findMemberByName("M"), -1);
}

TEST(Game, StartUpValues) {
    const Game g;
    EXPECT_EQ(g.settings.name, "Let's bet on the World Cup 2002");
    EXPECT_EQ(g.settings.maxBet, 10);
    EXPECT_EQ(g.settings.winPoints, 3);
    EXPECT_EQ(g.settings.drawPoints, 1);
    EXPECT_EQ(g.settings.losePoints, 0);
    EXPECT_EQ(g.settings.tournamentWinPoints, 6);
    EXPECT_EQ(g.settings.rate, 1);
    EXPECT_EQ(g.settings.bonus1, 20);
    EXPECT_EQ(g.settings.bonus2, 10);
    EXPECT_EQ(g.settings.bonus3, 0);
    EXPECT_EQ(g.settings.qualifyBonus, 30);
    EXPECT_EQ(g.settings.over, 0);
    EXPECT_EQ(g.settings.password, 0);
    EXPECT_TRUE(g.settings.date.empty());
    EXPECT_TRUE(g.report.head.empty() && g.report.editor.empty() && g.report.topImage.empty());
    EXPECT_EQ(g.teamCount() + g.memberCount(), 0);
}

TEST(Game, VoteValue) {
    Game g;
    g.settings.maxBet = 3;
    Team t;
    t.points = 4;
    struct Case {
        int rate, position, expected;
    } cases[] = {{1, 1, 8}, {2, 1, 64}, {3, 1, 512}, {3, 2, 64}, {1, 2, 4}, {1, 3, 0}, {0, 1, 8}, {4, 1, 8}};
    for (const Case& c : cases) {
        g.settings.rate = c.rate;
        EXPECT_EQ(g.voteValue(t, c.position), c.expected) << c.rate << "/" << c.position;
    }
    // Wraps without undefined behaviour: 3200 cubed.
    g.settings = {};
    g.settings.maxBet = 32;
    g.settings.rate = 3;
    t.points = 100;
    EXPECT_EQ(g.voteValue(t, 0), -1591738368);
    EXPECT_EQ(wrapAdd(2147483647, 1), -2147483647 - 1);
}

}  // namespace
}  // namespace scorvale
