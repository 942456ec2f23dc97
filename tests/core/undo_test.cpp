#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "scoring/ordering.h"
#include "scoring/standings.h"
#include "tests/support/game_compare.h"
#include "tests/support/random_game.h"
#include "undo/undo_history.h"

namespace scorvale::undo {
namespace {

using testing::RandomGames;

// Everything a step restores: every field, both orders, the results history
// and the page choice.
::testing::AssertionResult sameGame(const Game& a, const Game& b) {
    if (!(a.history == b.history)) return ::testing::AssertionFailure() << "results histories differ";
    if (!(a.page == b.page)) return ::testing::AssertionFailure() << "page choices differ";
    return testing::sameGame(a, b);
}

// What every command of the window ends with.
void ending(Game& game) {
    computeStandings(game);
    sortTeams(game, TeamSortKey::rank);
    sortMembers(game, MemberSortKey::rank);
}
UndoHistory::Ending endingOf(Game& game) {
    return [&game](const StepInfo&) { ending(game); };
}

Game ended(Game game) {
    ending(game);
    return game;
}

Team randomTeam(RandomGames& r) {
    Team t;
    t.name = r.text(3);
    t.group = r.text(1);
    t.wins = r.uniform(0, 5);
    t.goalDiff = r.uniform(-3, 3);
    t.qualify = r.uniform(0, 1);
    return t;
}

Member randomMember(RandomGames& r, const Game& game) {
    Member m;
    m.name = r.text(3);
    m.date = r.text(4);
    for (int v = r.uniform(0, 5); v > 0 && game.teamCount() > 0; --v)
        m.addVote(game.teamAt(r.uniform(0, game.teamCount() - 1)).name.view());
    return m;
}

// The commands of the window as changes of a game, each within the reach
// it names (an index picked at random where it names one).
struct Command {
    const char* name;
    std::function<GameReach(const Game&, RandomGames&, int& index)> reach;
    std::function<void(Game&, RandomGames&, int index)> change;
};

int pick(int count, RandomGames& r) { return count == 0 ? -1 : r.uniform(0, count - 1); }
GameReach oneTeam(const Game& g, RandomGames& r, int& i) {
    return {Reach::record(i = pick(g.teamCount(), r)), Reach::none()};
}
GameReach oneMember(const Game& g, RandomGames& r, int& i) {
    return {Reach::none(), Reach::record(i = pick(g.memberCount(), r))};
}

const std::vector<Command>& commands() {
    static const std::vector<Command> all = {
        {"settings", [](const Game&, RandomGames&, int&) { return GameReach{}; },
         [](Game& g, RandomGames& r, int) {
             g.settings.winPoints = r.anyInt();
             g.settings.over = 1 - g.settings.over;
         }},
        {"report texts", [](const Game&, RandomGames&, int&) { return GameReach{}; },
         [](Game& g, RandomGames& r, int) {
             g.report.head = r.multiLine();
             g.report.memberRange = r.uniform(0, 2);
         }},
        {"team added", [](const Game&, RandomGames&, int&) { return GameReach{}; },
         [](Game& g, RandomGames& r, int) { g.addTeam(randomTeam(r)); }},
        {"team edited",
         oneTeam,
         [](Game& g, RandomGames& r, int i) {
             if (i < 0) return;
             g.teamAt(i).wins = r.anyInt();
             g.teamAt(i).name = r.text(3);
             g.settings.date = r.text(4);
         }},
        {"team deleted",
         oneTeam,
         [](Game& g, RandomGames&, int i) {
             if (i >= 0) g.removeTeamAt(i);
         }},
        {"member added", [](const Game&, RandomGames&, int&) { return GameReach{}; },
         [](Game& g, RandomGames& r, int) { g.addMember(randomMember(r, g)); }},
        {"member edited",
         oneMember,
         [](Game& g, RandomGames& r, int i) {
             if (i >= 0) g.memberAt(i) = randomMember(r, g);
         }},
        {"member expelled",
         oneMember,
         [](Game& g, RandomGames&, int i) {
             if (i >= 0) g.removeMemberAt(i);
         }},
        {"results import", [](const Game&, RandomGames&, int&) { return GameReach{Reach::all(), Reach::none()}; },
         [](Game& g, RandomGames& r, int) {
             std::vector<Team> teams = g.teams();
             for (Team& t : teams)
                 if (r.uniform(0, 1)) t.draws = r.uniform(0, 4);
             teams.push_back(randomTeam(r));
             g.teams().swap(teams);
             g.history.setDay(currentResults(g, r.text(4)));
         }},
        {"members import", [](const Game&, RandomGames&, int&) { return GameReach{Reach::none(), Reach::all()}; },
         [](Game& g, RandomGames& r, int) {
             for (int i = 0; i < g.memberCount(); i += 3) g.memberAt(i).removeVote(0);
             for (int n = r.uniform(0, 3); n > 0; --n) g.addMember(randomMember(r, g));
         }},
        {"page", [](const Game&, RandomGames&, int&) { return GameReach{}; },
         [](Game& g, RandomGames&, int) { g.page.picture = !g.page.picture; }},
    };
    return all;
}

// Random commands with header clicks between them, then every step undone
// and redone: each undo gives the game before its command (its order
// included) after the command's ending; each redo the game it undid.
TEST(UndoHistory, UndoAndRedoRestoreEveryStateExactly) {
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        RandomGames r(seed);
        Game game = ended(r.game(8, 10));
        UndoHistory history;
        std::vector<Game> before;  // the game as each kept step's command found it
        std::vector<std::string> names;
        for (int k = 0; k < 14; ++k) {
            if (r.uniform(0, 2) == 0) sortMembers(game, static_cast<MemberSortKey>(r.uniform(0, 3)));
            if (r.uniform(0, 2) == 0) sortTeams(game, static_cast<TeamSortKey>(r.uniform(0, 13)));
            const Command& command = commands()[static_cast<std::size_t>(r.uniform(0, int(commands().size()) - 1))];
            const Game found = game;
            int index = -1;
            history.begin(game, command.reach(game, r, index));
            command.change(game, r, index);
            ending(game);
            if (history.end(game, StepInfo{static_cast<int>(names.size()), true})) {
                before.push_back(found);
                names.push_back(command.name);
            } else {
                // No step: the game is the one it found, in a new order at most.
                ASSERT_TRUE(sameGame(ended(found), game)) << seed << ' ' << command.name;
            }
        }
        ASSERT_EQ(history.size(), before.size());
        std::vector<Game> undone;  // the game each undo found
        for (std::size_t i = before.size(); i-- > 0;) {
            if (r.uniform(0, 1)) sortMembers(game, MemberSortKey::name);
            if (r.uniform(0, 1)) sortTeams(game, TeamSortKey::points);
            undone.push_back(game);
            ASSERT_EQ(history.undoStep().kind, static_cast<int>(i));
            history.undo(game, endingOf(game));
            ASSERT_TRUE(sameGame(game, ended(before[i]))) << seed << " undo " << names[i];
        }
        EXPECT_FALSE(history.canUndo());
        for (std::size_t i = 0; i < before.size(); ++i) {
            history.redo(game, endingOf(game));
            ASSERT_TRUE(sameGame(game, ended(undone[before.size() - 1 - i]))) << seed << " redo " << names[i];
        }
        EXPECT_FALSE(history.canRedo());
    }
}

// The order a step restores decides ties: members of one score keep the
// order the user last clicked, and place bonuses go to the earlier team.
TEST(UndoHistory, RestoresTheOrderBeforeAStep) {
    Game game;
    game.settings.over = 1;
    for (const char* name : {"A", "B", "C"}) {
        Team t;
        t.name = name;
        t.wins = 1;
        game.addTeam(t);
    }
    for (const char* name : {"x", "y", "z"}) {
        Member m;
        m.name = name;
        m.addVote("A");
        game.addMember(m);
    }
    ending(game);
    sortMembers(game, MemberSortKey::name);
    sortTeams(game, TeamSortKey::name);
    std::reverse(game.teams().begin(), game.teams().end());  // C B A: as no key orders them
    std::reverse(game.members().begin(), game.members().end());
    const Game clicked = game;

    UndoHistory history;
    history.begin(game, {Reach::none(), Reach::record(1)});
    game.memberAt(1).removeVote(0);
    ending(game);
    ASSERT_TRUE(history.end(game, {}));
    sortMembers(game, MemberSortKey::name);
    history.undo(game, endingOf(game));
    EXPECT_TRUE(sameGame(game, ended(clicked)));
    EXPECT_EQ(game.teamAt(0).name.str(), "C");  // first in the restored order: the place bonus
    EXPECT_EQ(game.memberAt(0).name.str(), "z");
}

// A step holds what changed: one member's edit in a big pool keeps that
// member twice at most and a few runs, not the pool.
TEST(UndoHistory, StepGrowsWithWhatChanged) {
    RandomGames r(7);
    Game game = r.game(32, 0);
    for (int i = 0; i < 20000; ++i) game.addMember(randomMember(r, game));
    ending(game);
    UndoHistory history;
    for (int i = 0; i < 10; ++i) {
        const int row = r.uniform(0, game.memberCount() - 1);
        history.begin(game, {Reach::none(), Reach::record(row)});
        game.memberAt(row).addVote(game.teamAt(0).name.view());
        game.memberAt(row).date = "26/06/01";
        ending(game);
        history.end(game, {});
    }
    EXPECT_LT(history.memoryBytes(), 10 * 2048u) << history.memoryBytes();
    // A header click before the command makes the order itself the change.
    sortMembers(game, MemberSortKey::name);
    const std::size_t small = history.memoryBytes();
    history.begin(game, {Reach::none(), Reach::record(0)});
    game.memberAt(0).date = "26/06/02";
    ending(game);
    history.end(game, {});
    EXPECT_GT(history.memoryBytes() - small, 20000u * sizeof(scorvale::undo::Run) / 4);
}

// The unsaved mark: back at the saved step it clears, away from it it
// sets; a step that changes nothing a file holds is not unsaved work, and
// once the saved step cannot be reached again every step is.
TEST(UndoHistory, UnsavedFollowsTheSavedStep) {
    Game game;
    UndoHistory history;
    const auto step = [&](auto change) {
        history.begin(game, {});
        change();
        history.end(game, {});
    };
    step([&] { game.settings.name = "one"; });
    history.markSaved();
    EXPECT_FALSE(history.unsaved());
    step([&] { game.report.memberRange = 0; });  // not kept in the file
    EXPECT_FALSE(history.unsaved());
    step([&] { game.settings.maxBet = 3; });
    EXPECT_TRUE(history.unsaved());
    history.undo(game, {});
    EXPECT_FALSE(history.unsaved());
    history.undo(game, {});
    history.undo(game, {});
    EXPECT_TRUE(history.unsaved());
    history.redo(game, {});
    EXPECT_FALSE(history.unsaved());
    // A new step where the saved one could have been redone: out of reach.
    history.undo(game, {});
    step([&] { game.settings.name = "two"; });
    EXPECT_TRUE(history.unsaved());
    history.undo(game, {});
    EXPECT_TRUE(history.unsaved());
    history.clear();
    EXPECT_FALSE(history.unsaved());
}

TEST(UndoHistory, KeepsTheNewestSteps) {
    Game game;
    UndoHistory history;
    for (int i = 1; i <= int(UndoHistory::kMostSteps) + 5; ++i) {
        history.begin(game, {});
        game.settings.maxBet = i;
        history.end(game, {});
    }
    EXPECT_EQ(history.size(), UndoHistory::kMostSteps);
    while (history.canUndo()) history.undo(game, {});
    EXPECT_EQ(game.settings.maxBet, 5);
}

// A change outside the reach a command named is caught where every record is
// copied; a game changed behind the steps' back drops them, untouched.
TEST(UndoHistory, RefusesGamesItWasNotMadeFor) {
    Game game = ended(RandomGames(3).game(6, 6));
    ASSERT_GT(game.memberCount(), 1);
    UndoHistory history;
    UndoHistory::checkEveryRecordForTesting(true);
    history.begin(game, {Reach::none(), Reach::record(0)});
    game.memberAt(1).date = "elsewhere";
    EXPECT_THROW(history.end(game, {}), std::logic_error);
    UndoHistory::checkEveryRecordForTesting(false);

    history.begin(game, {});
    game.settings.maxBet = 99;
    ASSERT_TRUE(history.end(game, {}));
    game.addMember(Member{});  // not through a step
    const Game now = game;
    EXPECT_THROW(history.undo(game, endingOf(game)), std::logic_error);
    EXPECT_TRUE(sameGame(game, now));
    EXPECT_FALSE(history.canUndo());
}

}  // namespace
}  // namespace scorvale::undo
