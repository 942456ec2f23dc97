#include <gtest/gtest.h>

#include "scoring/ordering.h"
#include "scoring/standings.h"
#include "tests/support/literal_standings.h"
#include "tests/support/random_game.h"

namespace scorvale {
namespace {

// The fast scoring and orderings must agree with the literal transcription
// field for field and record for record, on a few thousand random games.
TEST(Differential, FastPathsMatchTheLiteralRules) {
    testing::RandomGames random(20021);
    const int teamKeys[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
    const int memberKeys[] = {0, 1, 2, 3, 11, 12};
    for (int round = 0; round < 3000; ++round) {
        Game fast = random.game(20, 30);
        Game slow = fast;
        for (int step = 0; step < 3; ++step) {
            computeStandings(fast);
            literal::computeStandings(slow);
            ASSERT_EQ(fast.teams(), slow.teams()) << "round " << round;
            ASSERT_EQ(fast.members(), slow.members()) << "round " << round;
            const int tk = teamKeys[random.uniform(0, 14)];
            const int mk = memberKeys[random.uniform(0, 5)];
            sortTeams(fast, static_cast<TeamSortKey>(tk));
            literal::sortTeams(slow, tk);
            sortMembers(fast, static_cast<MemberSortKey>(mk));
            literal::sortMembers(slow, mk);
            ASSERT_EQ(fast.teams(), slow.teams()) << "round " << round << " team key " << tk;
            ASSERT_EQ(fast.members(), slow.members()) << "round " << round << " member key " << mk;
        }
    }
}

TEST(Differential, CompareTextMatchesTheLiteralRule) {
    testing::RandomGames random(7);
    for (int i = 0; i < 20000; ++i) {
        std::string a = random.text(4), b = random.text(4);
        if (random.uniform(0, 3) == 0) b = a.substr(0, static_cast<std::size_t>(random.uniform(0, static_cast<int>(a.size()))));
        ASSERT_EQ(compareText(a, b), literal::compareText(a, b)) << a << " | " << b;
    }
}

}  // namespace
}  // namespace scorvale
