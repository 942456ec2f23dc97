#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/html_report.h"
#include "report/same_votes.h"
#include "tests/support/random_game.h"

namespace scorvale {
namespace {

// The definition, pair by pair: every slot below maxBet read as vote() reads it.
bool literalSameVotes(const Game& game, const Member& a, const Member& b) {
    if (a.voteCount() == 0 || b.voteCount() == 0 || a.voteCount() != b.voteCount()) return false;
    for (int p = 0; p < game.settings.maxBet && p < Member::kMaxVotes; ++p)
        if (a.vote(p) != b.vote(p)) return false;
    return true;
}

std::vector<int> literalOthers(const Game& game, int limit, int i) {
    std::vector<int> out;
    for (int l = 0; l < limit; ++l)
        if (l != i && literalSameVotes(game, game.memberAt(i), game.memberAt(l))) out.push_back(l);
    return out;
}

// Random games with many members copied from one another, then a later
// slot changed, the count changed or maxBet moved past the difference.
TEST(SameVoters, GroupsMatchThePairwiseDefinition) {
    testing::RandomGames random(4242);
    const int maxBets[] = {-3, 0, 1, 2, 3, 5, 10, 63, 64, 65, 200};
    for (int round = 0; round < 400; ++round) {
        Game g = random.game(8, 40);
        g.settings.maxBet = maxBets[random.uniform(0, 10)];
        const int n = g.memberCount();
        for (int i = 1; i < n; ++i) {
            if (random.uniform(0, 2) != 0) continue;
            Member copy = g.memberAt(random.uniform(0, i - 1));
            copy.name = g.memberAt(i).name;
            switch (random.uniform(0, 3)) {
                case 0: break;
                case 1:
                    if (copy.voteCount() > 0) {
                        const int slot = random.uniform(0, copy.voteCount() - 1);
                        copy.removeVote(slot);
                        copy.insertVote(slot, random.text(2));
                    }
                    break;
                case 2: copy.appendVote(random.text(2)); break;
                default: copy.removeVote(copy.voteCount() - 1); break;
            }
            g.memberAt(i) = copy;
        }
        for (int range : {0, 1, 2}) {
            const int limit = range == 0 ? std::min(5, n) : range == 1 ? std::min(10, n) : n;
            const SameVoters same(g, limit);
            for (int i = 0; i < limit; ++i) {
                std::vector<int> others;
                for (int l : same.groupOf(i))
                    if (l != i) others.push_back(l);
                ASSERT_EQ(others, literalOthers(g, limit, i)) << "round " << round << " member " << i;
                for (int l = 0; l < n; ++l)
                    ASSERT_EQ(sameVotes(g, g.memberAt(i), g.memberAt(l)),
                              literalSameVotes(g, g.memberAt(i), g.memberAt(l)));
            }
        }
    }
}

TEST(SameVoters, EdgeCases) {
    Game g;
    Member empty;
    Member a;
    a.appendVote("X");
    a.appendVote("Y");
    Member b = a;
    b.removeVote(1);
    b.appendVote("Z");
    g.addMember(empty);
    g.addMember(empty);
    g.addMember(a);
    g.addMember(b);
    g.settings.maxBet = 1;  // the differing second slot is not compared
    EXPECT_FALSE(sameVotes(g, empty, empty));
    EXPECT_TRUE(sameVotes(g, a, b));
    g.settings.maxBet = 0;  // nothing compared: the counts decide
    EXPECT_TRUE(sameVotes(g, a, b));
    g.settings.maxBet = 100;
    EXPECT_FALSE(sameVotes(g, a, b));
    const SameVoters same(g, 4);
    EXPECT_TRUE(same.groupOf(0).empty());
    EXPECT_EQ(same.groupOf(2), std::vector<int>{2});
}

}  // namespace
}  // namespace scorvale
