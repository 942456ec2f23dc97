#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "model/game.h"
#include "model/results_history.h"

namespace scorvale {
namespace {

Game threeTeams() {
    Game g;
    for (const char* name : {"A", "B", "C"}) {
        Team t;
        t.name = name;
        g.addTeam(t);
    }
    g.teamAt(0).wins = 2;
    g.teamAt(1).out = 1;
    return g;
}

// What counts as a change of results for the history: whatever scoring a
// past day would read, but not the order of the list nor a team that has not
// played.
TEST(ResultsHistory, WhatChangesTheResults) {
    struct Case {
        const char* what;
        std::function<void(Game&)> change;
        bool changed;
    };
    const std::vector<Case> cases = {
        {"nothing", [](Game&) {}, false},
        {"the order", [](Game& g) { std::swap(g.teams()[0], g.teams()[2]); }, false},
        {"a team added without results", [](Game& g) { g.addTeam(Team{}); }, false},
        {"a team without results deleted", [](Game& g) { g.removeTeamAt(2); }, false},
        {"a group, a date, a symbol", [](Game& g) { g.teamAt(0).group = "X"; g.teamAt(0).date = "02/06/01"; }, false},
        {"the rules", [](Game& g) { g.settings.winPoints = 5; }, false},
        {"a team added with results", [](Game& g) { Team t; t.name = "D"; t.draws = 1; g.addTeam(t); }, true},
        {"a team with results deleted", [](Game& g) { g.removeTeamAt(1); }, true},
        {"a team with results renamed", [](Game& g) { g.teamAt(0).name = "Z"; }, true},
        {"the ranking fixed", [](Game& g) { g.settings.over = 1; }, true},
        {"wins", [](Game& g) { g.teamAt(2).wins = 1; }, true},
        {"draws", [](Game& g) { g.teamAt(2).draws = 1; }, true},
        {"losses", [](Game& g) { g.teamAt(2).losses = 1; }, true},
        {"tournament wins", [](Game& g) { g.teamAt(2).tournamentWins = 1; }, true},
        {"goal difference", [](Game& g) { g.teamAt(2).goalDiff = -1; }, true},
        {"qualified", [](Game& g) { g.teamAt(2).qualify = 1; }, true},
        {"out", [](Game& g) { g.teamAt(1).out = 0; }, true},
        {"two teams swap their results", [](Game& g) { std::swap(g.teamAt(0).wins, g.teamAt(2).wins); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Game game = threeTeams();
        const HistoryDay before = currentResults(game, "02/06/01");
        c.change(game);
        EXPECT_EQ(!sameResults(before, currentResults(game, "02/06/09")), c.changed);

        // Recorded under its date only when changed, replacing that date's entry.
        ResultsHistory history;
        history.setDay({"02/06/09", false, {}});
        EXPECT_EQ(recordChange(history, before, currentResults(game, "02/06/09")), c.changed);
        ASSERT_EQ(history.days().size(), 1u);
        EXPECT_EQ(history.days()[0] == currentResults(game, "02/06/09"), c.changed);
    }
}

TEST(ResultsHistory, DaysStayInDateOrderOneADate) {
    ResultsHistory history;
    for (const char* date : {"02/06/14", "02/05/31", "02/06/30", "02/06/14", "02/06/01"})
        history.setDay({date, std::string(date) == "02/06/30", {}});
    std::vector<std::string> dates;
    for (const HistoryDay& day : history.days()) dates.push_back(day.date);
    EXPECT_EQ(dates, (std::vector<std::string>{"02/05/31", "02/06/01", "02/06/14", "02/06/30"}));
}

}  // namespace
}  // namespace scorvale
