#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "gamefile/game_file.h"
#include "imports/import_error.h"
#include "imports/results_import.h"
#include "text/sjis_codec.h"

namespace scorvale::imports {
namespace {

const std::string kSource = SCORVALE_SOURCE_DIR;
const char* const kToday = "26/12/10";

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) ADD_FAILURE() << "cannot read " << path;
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string openfootball(const char* name) { return fileBytes(kSource + "/tests/fixtures/openfootball/" + name); }

Game exampleGame() {
    Game game;
    loadGame(game, kSource + "/examples/worldcup2002.svl", ReadAll);
    return game;
}

std::string sjisOf(const std::string& utf8) { return sjis::fromUtf8(utf8).value(); }
std::string utf8Of(const TextField& field) { return sjis::toUtf8(field.view()); }

// The fields an import writes, and the name, as one line.
std::string inputFields(const Team& t) {
    std::ostringstream s;
    s << utf8Of(t.name) << " w" << t.wins << " d" << t.draws << " l" << t.losses << " gd" << t.goalDiff << " tw"
      << t.tournamentWins << " q" << t.qualify << " out" << t.out << " [" << utf8Of(t.group) << "] " << utf8Of(t.date);
    return s.str();
}

std::vector<std::string> inputFields(const Game& game) {
    std::vector<std::string> out;
    for (const Team& t : game.teams()) out.push_back(inputFields(t));
    return out;
}

std::vector<std::string> sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

ImportSummary importInto(Game& game, const std::string& bytes, ResultOptions options = {},
                         std::vector<NameAlias> aliases = {}) {
    TeamMatcher matcher(game, std::move(aliases));
    const PreparedImport prepared = prepareImport(bytes, matcher, options);
    return applyImport(game, prepared.results, prepared.plan, kToday);
}

Game gameWithTeams(const std::vector<std::string>& utf8Names) {
    Game game;
    for (const std::string& name : utf8Names) {
        Team team;
        team.name = sjisOf(name);
        game.addTeam(team);
    }
    return game;
}

// The example game was built from the same facts as the public list: every
// team's fields stay as they are, symbols and members too.
TEST(ResultsImport, WorldCup2002IntoTheExampleChangesNoTeam) {
    const Game before = exampleGame();
    ASSERT_EQ(before.teamCount(), 32);
    Game game = before;
    const ImportSummary summary = importInto(game, openfootball("worldcup2002.json"));
    EXPECT_TRUE(summary.added.empty());
    EXPECT_TRUE(summary.notInList.empty());
    EXPECT_EQ(inputFields(game), inputFields(before));
    EXPECT_EQ(game.teams(), before.teams());
    EXPECT_EQ(game.members(), before.members());
    EXPECT_EQ(game.settings.date, kToday);
}

TEST(ResultsImport, WorldCup2002IntoAnEmptyGameMakesTheExampleTeams) {
    Game game;
    const ImportSummary summary = importInto(game, openfootball("worldcup2002.json"));
    EXPECT_EQ(summary.added.size(), 32u);
    EXPECT_EQ(sorted(inputFields(game)), sorted(inputFields(exampleGame())));
    // The report names each new team by the list's name and its own.
    EXPECT_EQ(summary.added.front().listName, "France");
    EXPECT_EQ(summary.added.front().gameName, "フランス");
}

TEST(ResultsImport, WorldCup2014IntoAnEmptyGame) {
    Game game;
    const ImportSummary summary = importInto(game, openfootball("worldcup2014.json"));
    ASSERT_EQ(game.teamCount(), 32);
    EXPECT_EQ(summary.added.size(), 32u);
    for (const Team& t : game.teams()) {
        const std::string name = utf8Of(t.name);
        EXPECT_TRUE(std::none_of(name.begin(), name.end(), [](char c) { return c >= 'A' && c <= 'z'; })) << name;
        EXPECT_EQ(t.qualify + t.out >= 1, true) << name;  // in the knockout stage or out of the groups
    }
    const int germany = game.findTeamByName(sjisOf("ドイツ"));
    ASSERT_GE(germany, 0);
    EXPECT_EQ(game.teamAt(germany).tournamentWins, 4);
    EXPECT_EQ(game.teamAt(germany).out, 0);
    EXPECT_EQ(utf8Of(game.teamAt(germany).date), "14/07/13");
    EXPECT_EQ(inputFields(game.teamAt(game.findTeamByName(sjisOf("コートジボワール")))),
              "コートジボワール w1 d0 l2 gd-1 tw0 q0 out1 [C] 14/06/26");
    EXPECT_EQ(game.findTeamByName(sjisOf("ボスニア・ヘルツェゴビナ")) >= 0, true);
}

// A list read again, or a longer one after a shorter, counts every match
// once: the fields are recomputed from the whole list each time.
TEST(ResultsImport, ImportingAgainCountsNothingTwice) {
    const std::string full = openfootball("worldcup2002.json");
    // The list cut after the round of 16 (48 group matches, 8 more).
    const std::size_t r16End = [&] {
        std::size_t at = 0;
        for (int i = 0; i < 56; ++i) at = full.find("\"round\"", at + 1);
        return full.rfind("},", full.find("\"round\"", at + 1)) + 1;
    }();
    const std::string shorter = full.substr(0, r16End) + "]}";

    Game once;
    importInto(once, full);
    Game twice;
    importInto(twice, full);
    importInto(twice, full);
    Game growing;
    importInto(growing, shorter);
    const std::vector<std::string> afterShorter = inputFields(growing);
    EXPECT_EQ(growing.teamAt(growing.findTeamByName(sjisOf("ドイツ"))).tournamentWins, 1);
    importInto(growing, full);

    EXPECT_EQ(inputFields(twice), inputFields(once));
    EXPECT_EQ(inputFields(growing), inputFields(once));
    EXPECT_NE(afterShorter, inputFields(once));
    const int germany = growing.findTeamByName(sjisOf("ドイツ"));
    EXPECT_EQ(growing.teamAt(germany).tournamentWins, 3);
}

// The 2002 list's group matches as a spreadsheet holds them: date, group,
// the teams and the score (none for a match not played yet).
std::string csvOf(const std::vector<Match>& matches) {
    std::string csv = "date,group,team1,team2,score1,score2\n";
    for (const Match& m : matches) {
        csv += m.date + "," + m.group + "," + m.team1 + "," + m.team2 + ",";
        if (m.fullTime) csv += std::to_string(m.fullTime->team1) + "," + std::to_string(m.fullTime->team2);
        else csv += ",";
        csv += "\n";
    }
    return csv;
}

// The 48 group matches of 2002, the last 16 listed not played yet.
std::vector<Match> groupStageHalfway() {
    std::vector<Match> matches = readMatchList(openfootball("worldcup2002.json")).matches;
    matches.resize(48);
    for (std::size_t i = 32; i < matches.size(); ++i) matches[i].fullTime.reset();
    return matches;
}

std::vector<std::string> problemTexts(const MatchList& list) {
    std::vector<std::string> out;
    for (const ImportError& p : list.problems) out.push_back(p.what());
    return out;
}

// A group cell left empty once made a knockout match of Denmark 2-0 France
// and put 30 teams out in the middle of the group stage. Now that match
// counts in its group, the import says so, and nobody is out.
TEST(ResultsImport, AnEmptyGroupCellInTheGroupStage) {
    std::vector<Match> matches = groupStageHalfway();
    const std::string filled = csvOf(matches);
    ASSERT_EQ(matches[4].team1 + " " + matches[4].team2, "Denmark France");
    matches[4].group.clear();
    const std::string blank = csvOf(matches);

    Game withGroup = exampleGame();
    importInto(withGroup, filled);
    Game game = exampleGame();
    TeamMatcher matcher(game);
    const PreparedImport prepared = prepareImport(blank, matcher);
    EXPECT_EQ(problemTexts(prepared.list),
              std::vector<std::string>{"line 6: its group is empty, but group matches are played before and after it "
                                       "(by date): counted as a group match; write its group, or give a knockout "
                                       "match a round of its own"});
    applyImport(game, prepared.results, prepared.plan, kToday);
    EXPECT_EQ(inputFields(game), inputFields(withGroup));
    for (const Team& t : game.teams()) EXPECT_EQ(t.out + t.qualify + t.tournamentWins, 0) << inputFields(t);
    EXPECT_EQ(inputFields(game.teamAt(game.findTeamByName(sjisOf("デンマーク")))),
              "デンマーク w2 d1 l0 gd3 tw0 q0 out0 [A] 02/06/11");
}

// Two play-offs ahead of the group matches, no round column: once taken for
// the first knockout round, they put every other group team out.
TEST(ResultsImport, PlayOffsBeforeTheGroupStage) {
    std::vector<Match> matches = groupStageHalfway();
    Match first, second;
    first.team1 = "Ireland", first.team2 = "Iran", first.fullTime = Goals{2, 0}, first.date = "2001-11-15";
    second.team1 = "Uruguay", second.team2 = "Australia", second.fullTime = Goals{3, 0}, second.date = "2001-11-25";
    matches.insert(matches.begin(), {first, second});
    Game game = exampleGame();
    const ImportSummary summary = importInto(game, csvOf(matches));
    ASSERT_EQ(summary.added.size(), 2u);
    std::vector<std::string> out;
    for (const Team& t : game.teams())
        if (t.out) out.push_back(inputFields(t));
    EXPECT_EQ(out, (std::vector<std::string>{"イラン w0 d0 l0 gd0 tw0 q0 out1 [] 01/11/15",
                                             "オーストラリア w0 d0 l0 gd0 tw0 q0 out1 [] 01/11/25"}));
    EXPECT_EQ(inputFields(game.teamAt(game.findTeamByName(sjisOf("ウルグアイ")))),
              "ウルグアイ w0 d2 l1 gd-1 tw1 q0 out0 [A] 02/06/11");
}

// A round of 16 written "A1" to "H2" once added 16 teams and put the 32 real
// ones out; "Vainqueur A", which no pattern knows, is a slot too, since no
// team has that name and only matches not played yet name it.
TEST(ResultsImport, FixtureSlotsAreNoTeams) {
    std::vector<Match> matches = readMatchList(openfootball("worldcup2002.json")).matches;
    matches.resize(48);
    const char* const roundOf16[][2] = {{"A1", "B2"},          {"C1", "D2"},         {"E1", "F2"},
                                        {"G1", "H2"},          {"B1", "A2"},         {"D1", "C2"},
                                        {"Vainqueur F", "E2"}, {"Vainqueur H", "G2"}};
    for (const auto& pair : roundOf16) {
        Match m;
        m.team1 = pair[0];
        m.team2 = pair[1];
        matches.push_back(m);
    }
    const Game before = exampleGame();
    Game game = before;
    TeamMatcher matcher(game);
    const PreparedImport prepared = prepareImport(csvOf(matches), matcher);
    EXPECT_EQ(prepared.results.teams.size(), 32u);
    EXPECT_FALSE(prepared.results.groupStageDecided);
    ASSERT_EQ(prepared.list.problems.size(), 2u);
    EXPECT_EQ(prepared.list.problems[0].place(), ImportError::Place::Team);
    EXPECT_EQ(prepared.list.problems[0].name(), "Vainqueur F");
    EXPECT_NE(prepared.list.problems[0].reason().find("taken for a team not known yet, not added"),
              std::string::npos);
    const ImportSummary summary = applyImport(game, prepared.results, prepared.plan, kToday);
    EXPECT_TRUE(summary.added.empty());
    for (const Team& t : game.teams()) EXPECT_EQ(t.out + t.qualify, 0) << inputFields(t);
}

// Only a name nobody knows is a slot: a team of the game, a national team
// or a name of the names file is a team even before it has played.
TEST(ResultsImport, NamesThatAreTeamsBeforeTheyPlay) {
    Game game = gameWithTeams({"浦和レッズ"});
    const std::string csv =
        "group,team1,team2,score1,score2\n"
        "J,Kashima,Urawa,1,0\n"
        ",浦和レッズ,Brazil,,\n"
        ",Yokohama,Sieger Spiel 3,,\n"
        ",Kobe,Gewinner Spiel 4,,\n";
    TeamMatcher matcher(game, {{"Yokohama", "横浜F・マリノス"}});
    const PreparedImport prepared = prepareImport(csv, matcher);
    std::vector<std::string> names;
    for (const TeamResult& r : prepared.results.teams) names.push_back(r.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Kashima", "Urawa", "浦和レッズ", "Brazil", "Yokohama"}));
    EXPECT_EQ(problemTexts(prepared.list).size(), 1u);
    EXPECT_EQ(prepared.list.problems.at(0).name(), "Kobe");
}

// A CSV without group and round columns is a league: wins, draws and
// losses, nobody qualified or out.
TEST(ResultsImport, ALeagueWithoutGroupColumn) {
    Game game = gameWithTeams({"浦和レッズ", "鹿島アントラーズ", "横浜F・マリノス"});
    const std::string csv =
        "date,team1,team2,score1,score2\n"
        "2026-03-01,浦和レッズ,鹿島アントラーズ,2,1\n"
        "2026-03-08,鹿島アントラーズ,横浜F・マリノス,1,1\n"
        "2026-03-15,横浜F・マリノス,浦和レッズ,3,0\n"
        "2026-03-22,浦和レッズ,鹿島アントラーズ,,\n";
    importInto(game, csv);
    EXPECT_EQ(inputFields(game), (std::vector<std::string>{"浦和レッズ w1 d0 l1 gd-2 tw0 q0 out0 [] 26/03/15",
                                                           "鹿島アントラーズ w0 d1 l1 gd-1 tw0 q0 out0 [] 26/03/08",
                                                           "横浜F・マリノス w1 d1 l0 gd3 tw0 q0 out0 [] 26/03/15"}));
}

TEST(ResultsImport, ReplacesOnlyTheNamedTeams) {
    Game game = gameWithTeams({"日本", "Atlantis", "ブラジル"});
    Team& atlantis = game.teamAt(1);
    atlantis.wins = 9;
    atlantis.date = "01/01/01";
    game.teamAt(0).symbol = "jpn.png";
    game.teamAt(0).group = "Z";
    game.teamAt(0).wins = 5;
    Member member;
    member.name = "M";
    member.appendVote(sjisOf("日本"));
    game.addMember(member);
    const Game before = game;

    const std::string csv =
        "team1,team2,score1,score2,group,date\n"
        "ﾌﾞﾗｼﾞﾙ,Germany,1,0,,\n"  // knockout: no group given
        "Japan,ﾌﾞﾗｼﾞﾙ,2,0,,2002-06-04\n";
    const ImportSummary summary = importInto(game, csv);

    ASSERT_EQ(game.teamCount(), 4);
    EXPECT_EQ(inputFields(game.teamAt(0)), "日本 w0 d0 l0 gd0 tw1 q1 out0 [Z] 02/06/04");
    EXPECT_EQ(game.teamAt(0).symbol, "jpn.png");
    EXPECT_EQ(game.teamAt(1), before.teamAt(1));
    EXPECT_EQ(inputFields(game.teamAt(2)), "ブラジル w0 d0 l0 gd0 tw1 q1 out1 [] 02/06/04");
    EXPECT_EQ(inputFields(game.teamAt(3)), std::string("ドイツ w0 d0 l0 gd0 tw0 q1 out1 [] ") + kToday);
    EXPECT_EQ(game.members(), before.members());
    ASSERT_EQ(summary.added.size(), 1u);
    EXPECT_EQ(summary.added[0].listName, "Germany");
    EXPECT_EQ(summary.added[0].gameName, "ドイツ");
    EXPECT_EQ(summary.notInList, std::vector<std::string>{"Atlantis"});
}

TEST(ResultsImport, NamesFileAndHandMadePlan) {
    Game game = gameWithTeams({"浦和レッズ", "鹿島アントラーズ"});
    const std::string csv = "team1,team2,score1,score2,group\nUrawa,Kashima,3,1,J1\nKashima,Yokohama,0,0,J1\n";
    TeamMatcher matcher(game, {{"Urawa", "浦和レッズ"}, {"Yokohama", "横浜F・マリノス"}});
    PreparedImport prepared = prepareImport(csv, matcher);
    ASSERT_EQ(prepared.plan.targets, (std::vector<int>{0, ImportPlan::kAdd, ImportPlan::kAdd}));
    EXPECT_EQ(prepared.plan.matchedBy[0], MatchKind::alias);
    EXPECT_EQ(prepared.plan.newNames[2], "横浜F・マリノス");
    // The preview maps Kashima by hand.
    prepared.plan.targets[1] = 1;
    const ImportSummary summary = applyImport(game, prepared.results, prepared.plan, kToday);
    ASSERT_EQ(game.teamCount(), 3);
    EXPECT_EQ(inputFields(game.teamAt(1)), std::string("鹿島アントラーズ w0 d1 l1 gd-2 tw0 q0 out0 [J1] ") + kToday);
    EXPECT_EQ(utf8Of(game.teamAt(2).name), "横浜F・マリノス");
    EXPECT_TRUE(summary.notInList.empty());
}

TEST(ResultsImport, KnockoutGoalsOption) {
    const std::string json = openfootball("worldcup2002.json");
    Game plain;
    importInto(plain, json);
    Game withGoals;
    importInto(withGoals, json, {true});
    const auto goalDiff = [](const Game& g, const char* name) {
        return g.teamAt(g.findTeamByName(sjisOf(name))).goalDiff;
    };
    EXPECT_EQ(goalDiff(plain, "ブラジル"), 8);
    EXPECT_EQ(goalDiff(withGoals, "ブラジル"), 8 + 6);          // 2-0, 2-1, 1-0, 2-0
    EXPECT_EQ(goalDiff(withGoals, "韓国"), 3 + 1 + 0 - 1 - 1);  // 2-1 aet, 0-0 (5-3 p), 0-1, 2-3
}

struct PlanCase {
    const char* what;
    std::vector<std::string> gameTeams;
    std::string csv;
    std::vector<int> targets;           // empty: the default plan
    std::vector<std::string> newNames;  // empty: the default names
    std::string team;                   // the list team the error names
    const char* reason;
};

// Every refusal comes before any change: the game is exactly as it was.
TEST(ResultsImport, RefusedPlansChangeNothing) {
    const std::string header = "team1,team2,score1,score2,group\n";
    const PlanCase cases[] = {
        {"a name Shift-JIS cannot hold",
         {"日本"},
         header + "Japan,Ελλάς,1,0,A\n",
         {},
         {},
         "Ελλάς",
         "Shift-JIS cannot hold"},
        {"a group Shift-JIS cannot hold",
         {"日本"},
         header + "Japan,Chile,1,0,Grupo Ñ\n",
         {},
         {},
         "Japan",
         "the group \"Grupo Ñ\" has a character Shift-JIS cannot hold"},
        {"a line break in a name", {}, header + "A,\"B\nC\",1,0,A\n", {}, {}, "B\nC",
         "the name \"B\\nC\" has a control character"},
        // The message keeps what follows a NUL.
        {"a NUL in a name", {}, std::string("{\"matches\": [{\"group\": \"A\", \"team1\": \"A\", ") +
                                    "\"team2\": \"B\\u0000C\", \"score\": {\"ft\": [1, 0]}}]}",
         {}, {}, std::string("B\0C", 3), "the name \"B\\x00C\" has a control character"},
        {"a tag of the game file in a name", {}, header + "A,B[ALL_END],1,0,A\n", {}, {}, "B[ALL_END]",
         "holds the game file's tag [ALL_END]"},
        {"a name longer than a team field",
         {},
         header + "A," + std::string(128, 'x') + ",1,0,A\n",
         {},
         {},
         std::string(128, 'x'),
         "longer than a team field holds"},
        {"two list teams on one game team",
         {"アメリカ"},
         header + "USA,United States,1,0,A\n",
         {},
         {},
         "United States",
         "goes to the same team of the game (\"アメリカ\") as \"USA\""},
        {"two new teams of one name",
         {},
         header + "Korea Republic,South Korea,1,0,A\n",
         {},
         {},
         "South Korea",
         "would be added as \"韓国\" like \"Korea Republic\""},
        {"a new team named like a team of the game",
         {"韓国"},
         header + "Japan,Chile,1,0,A\n",
         {ImportPlan::kAdd, ImportPlan::kAdd},
         {"日本", "韓国"},
         "Chile",
         "a team the game already has"},
        {"a new team without a name",
         {},
         header + "Japan,Chile,1,0,A\n",
         {},
         {"日本", " "},
         "Chile",
         "the new team has no name"},
    };
    for (const PlanCase& c : cases) {
        Game game = gameWithTeams(c.gameTeams);
        const Game before = game;
        TeamMatcher matcher(game);
        PreparedImport prepared = prepareImport(c.csv, matcher);
        if (!c.targets.empty()) prepared.plan.targets = c.targets;
        if (!c.newNames.empty()) prepared.plan.newNames = c.newNames;
        try {
            applyImport(game, prepared.results, prepared.plan, kToday);
            ADD_FAILURE() << c.what << ": applied";
        } catch (const ImportError& e) {
            EXPECT_EQ(e.place(), ImportError::Place::Team) << c.what;
            EXPECT_EQ(e.name(), c.team) << c.what;
            EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << c.what << ": " << e.what();
        }
        EXPECT_EQ(game.teams(), before.teams()) << c.what;
        EXPECT_EQ(game.settings, before.settings) << c.what;
    }
    // A plan that does not fit the results is the caller's mistake.
    Game game = gameWithTeams({"日本"});
    TeamMatcher matcher(game);
    PreparedImport prepared = prepareImport(header + "Japan,Chile,1,0,A\n", matcher);
    prepared.plan.targets[1] = 5;
    EXPECT_THROW(checkPlan(game, prepared.results, prepared.plan), std::invalid_argument);
    prepared.plan.targets.pop_back();
    EXPECT_THROW(applyImport(game, prepared.results, prepared.plan, kToday), std::invalid_argument);
}

}  // namespace
}  // namespace scorvale::imports
