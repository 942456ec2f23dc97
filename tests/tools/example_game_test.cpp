#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>
#include <set>

#include "gamefile/game_file.h"
#include "scoring/ordering.h"
#include "scoring/standings.h"
#include "text/sjis_codec.h"
#include "tests/tools/run_tool.h"

namespace scorvale::testing {
namespace {

// What the pass gives each team and member, by name.
using Standing = std::map<std::string, std::vector<std::int32_t>>;
Standing standingOf(const Game& g) {
    Standing out;
    for (const Team& t : g.teams()) out["team " + t.name.str()] = {t.rank, t.points, t.bonus, t.popularity};
    for (const Member& m : g.members()) out["member " + m.name.str()] = {m.rank, m.score};
    return out;
}

// The finished pool, its team list ordered by each column in turn, then
// scored again as 保存 and HTML出力 do: no rank, bonus, score or winner
// changes. (Ordered by name, say, Germany comes before Brazil; were it
// ranked and rewarded first, both would come 2nd and no team 1st.)
TEST(ExampleGame, NoOrderOfTheTeamListChangesTheStandings) {
    Game ranked;
    loadGame(ranked, kExampleGame, ReadAll);
    computeStandings(ranked);
    sortTeams(ranked, TeamSortKey::rank);
    sortMembers(ranked, MemberSortKey::rank);
    const Standing expected = standingOf(ranked);
    ASSERT_EQ(sjis::toUtf8(ranked.teamAt(0).name.view()), "ブラジル");
    ASSERT_EQ(ranked.teamAt(0).rank, 1);
    ASSERT_EQ(ranked.teamAt(1).rank, 2);
    const std::string winner = sjis::toUtf8(ranked.memberAt(0).name.view());

    ScratchDir dir;
    for (const int key : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13}) {
        Game g = ranked;
        sortTeams(g, static_cast<TeamSortKey>(key));
        computeStandings(g);
        EXPECT_EQ(standingOf(g), expected) << "ordered by key " << key;
        // The same file with its team sections in that order, for svltool.
        saveGame(g, dir / "ordered.svl");
        const RunResult r = runTool({"standings", "--json", dir / "ordered.svl"});
        ASSERT_EQ(r.status, 0) << r.err;
        const auto json = nlohmann::json::parse(r.out);
        EXPECT_EQ(json["teams"][0]["name"], "ブラジル") << key;
        EXPECT_EQ(json["teams"][0]["rank"], 1) << key;
        EXPECT_EQ(json["teams"][1]["rank"], 2) << key;
        EXPECT_EQ(json["members"][0]["name"], winner) << key;
        EXPECT_EQ(json["members"][0]["rank"], 1) << key;
    }
}

TEST(ExampleGame, CommittedFileIsWhatTheScriptBuildsAndWhatTheCoreSaves) {
    ScratchDir dir;
    const RunResult built = runProgram(PYTHON3_PATH, {std::string(SOURCE_ROOT) + "/tools/make_worldcup2002.py",
                                                      "--out", dir / "wc.svl", "--plain", dir / "wc.txt"});
    ASSERT_EQ(built.status, 0) << built.err;
    EXPECT_EQ(readFile(dir / "wc.svl"), readFile(kExampleGame)) << "rebuild examples/worldcup2002.svl";

    // The script scrambles by itself; the tool must agree in both directions.
    EXPECT_EQ(runTool({"decode", kExampleGame}).out, readFile(dir / "wc.txt"));
    const RunResult encoded = runTool({"encode", dir / "wc.txt"});
    ASSERT_EQ(encoded.status, 0) << encoded.err;
    EXPECT_EQ(encoded.out, readFile(kExampleGame));
}

TEST(ExampleGame, StandingsShowTheFinalRanking) {
    const RunResult r = runTool({"standings", "--json", kExampleGame});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto json = nlohmann::json::parse(r.out);
    EXPECT_EQ(json["settings"]["over"], 1);

    const auto& teams = json["teams"];
    ASSERT_EQ(teams.size(), 32u);
    EXPECT_EQ(teams[0]["name"], "ブラジル");
    EXPECT_EQ(teams[0]["rank"], 1);
    EXPECT_EQ(teams[0]["tournamentWins"], 4);
    EXPECT_EQ(teams[0]["out"], 0);
    EXPECT_EQ(teams[1]["name"], "ドイツ");
    EXPECT_EQ(teams[1]["rank"], 2);
    EXPECT_EQ(teams[2]["name"], "トルコ");
    EXPECT_EQ(teams[2]["rank"], 3);
    std::map<std::string, int> perGroup;
    int out = 0, qualified = 0;
    std::set<std::string> names;
    for (const auto& t : teams) {
        ++perGroup[t["group"]];
        out += t["out"].get<int>();
        qualified += t["qualify"].get<int>();
        names.insert(t["name"]);
        EXPECT_EQ(t["played"], t["wins"].get<int>() + t["draws"].get<int>() + t["losses"].get<int>() +
                                   t["tournamentWins"].get<int>());
    }
    EXPECT_EQ(perGroup, (std::map<std::string, int>{{"A", 4}, {"B", 4}, {"C", 4}, {"D", 4},
                                                    {"E", 4}, {"F", 4}, {"G", 4}, {"H", 4}}));
    EXPECT_EQ(out, 31);
    EXPECT_EQ(qualified, 16);

    const auto& members = json["members"];
    ASSERT_EQ(members.size(), 12u);
    std::set<std::vector<std::string>> voteLists;
    int votesForAbsentTeams = 0;
    for (const auto& m : members) {
        const auto votes = m["votes"].get<std::vector<std::string>>();
        EXPECT_EQ(votes.size(), 10u) << m["name"];
        voteLists.insert(votes);
        votesForAbsentTeams += static_cast<int>(
            std::count_if(votes.begin(), votes.end(), [&](const std::string& v) { return !names.count(v); }));
    }
    EXPECT_LT(voteLists.size(), members.size()) << "some members vote alike";
    EXPECT_EQ(votesForAbsentTeams, 1);
    EXPECT_EQ(members[0]["rank"], 1);
}

}  // namespace
}  // namespace scorvale::testing
