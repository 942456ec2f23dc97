#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "gamefile/game_file.h"
#include "gamefile/safe_file.h"
#include "imports/results_replay.h"
#include "text/sjis_codec.h"

// Named apart from the other tests of the program, which may share its unit.
namespace scorvale::imports::replay_test {
namespace {

const std::string kSource = SCORVALE_SOURCE_DIR;
const std::string kToday = "26/12/10";

const std::string& worldCup2002() {
    static const std::string bytes = readWholeFile(kSource + "/tests/fixtures/openfootball/worldcup2002.json");
    return bytes;
}

// The import as the window and svltool run it.
ImportSummary importWithHistory(Game& game, const std::string& bytes, const std::string& today = kToday) {
    TeamMatcher matcher(game);
    const PreparedImport prepared = prepareImport(bytes, matcher);
    return applyImportWithHistory(game, prepared.list, prepared.results, prepared.plan, {}, today);
}

std::vector<std::string> dates(const ResultsHistory& history) {
    std::vector<std::string> out;
    for (const HistoryDay& day : history.days()) out.push_back(day.date);
    return out;
}

// A team's recorded results as "w d l tw gd q out", by its name in UTF-8.
std::string resultsOf(const HistoryDay& day, const std::string& utf8) {
    for (const RecordedResults& t : day.teams)
        if (sjis::toUtf8(t.name.view()) == utf8) {
            std::ostringstream s;
            s << t.wins << ' ' << t.draws << ' ' << t.losses << ' ' << t.tournamentWins << ' ' << t.goalDiff << ' '
              << t.qualify << ' ' << t.out;
            return s.str();
        }
    return "missing";
}

const HistoryDay& dayOf(const ResultsHistory& history, const std::string& date) {
    for (const HistoryDay& day : history.days())
        if (day.date == date) return day;
    static const HistoryDay none;
    ADD_FAILURE() << "no day " << date;
    return none;
}

// The 2002 list into the example game, whose teams already hold its results:
// one entry for each of the 25 match days, none for today (nothing changed),
// the tournament told day by day.
TEST(ResultsReplay, WorldCup2002GivesOneEntryAMatchDay) {
    Game game;
    loadGame(game, kSource + "/examples/worldcup2002.svl", ReadAll);
    ASSERT_EQ(game.settings.over, 1);
    const Game before = game;
    importWithHistory(game, worldCup2002());
    EXPECT_EQ(game.teams(), before.teams());

    const ResultsHistory& h = game.history;
    ASSERT_EQ(h.days().size(), 25u);
    EXPECT_EQ(h.days().front().date, "02/05/31");
    EXPECT_EQ(h.days().back().date, "02/06/30");
    const std::vector<std::string> all = dates(h);
    EXPECT_EQ(std::set<std::string>(all.begin(), all.end()).size(), 25u);
    for (const HistoryDay& day : h.days()) {
        EXPECT_FALSE(day.rankingFixed) << day.date;
        EXPECT_EQ(day.teams.size(), 32u) << day.date;
    }
    // The last match day holds the results as they stand, the ranking not fixed yet.
    HistoryDay now = currentResults(game, "");
    EXPECT_TRUE(now.rankingFixed);
    now.rankingFixed = false;
    EXPECT_TRUE(sameResults(h.days().back(), now));

    struct Step {
        const char* date;
        const char* team;
        const char* results;  // w d l tw gd q out
    } steps[] = {
        {"02/05/31", "セネガル", "1 0 0 0 1 0 0"},     // the opening match
        {"02/05/31", "フランス", "0 0 1 0 -1 0 0"},
        {"02/05/31", "ブラジル", "0 0 0 0 0 0 0"},     // not played yet
        {"02/06/11", "デンマーク", "2 1 0 0 3 1 0"},  // its group over: through, its opponent still open
        {"02/06/11", "フランス", "0 1 2 0 -3 0 0"},   // out only once every group is decided
        {"02/06/13", "フランス", "0 1 2 0 -3 0 0"},
        {"02/06/14", "フランス", "0 1 2 0 -3 0 1"},
        {"02/06/14", "ドイツ", "2 1 0 0 10 1 0"},
        {"02/06/15", "パラグアイ", "1 1 1 0 0 1 1"},  // lost its round of 16 match
        {"02/06/15", "ドイツ", "2 1 0 1 10 1 0"},
        {"02/06/29", "トルコ", "1 1 1 3 2 1 1"},      // won the third place match, out at the semi-final
        {"02/06/29", "ブラジル", "3 0 0 3 8 1 0"},
        {"02/06/30", "ブラジル", "3 0 0 4 8 1 0"},
        {"02/06/30", "ドイツ", "2 1 0 3 10 1 1"},
    };
    for (const Step& s : steps) EXPECT_EQ(resultsOf(dayOf(h, s.date), s.team), s.results) << s.date << ' ' << s.team;

    // Importing again records the same.
    const ResultsHistory once = game.history;
    importWithHistory(game, worldCup2002());
    EXPECT_EQ(game.history, once);
}

// A list without round names finds its first knockout round by the order of
// the matches: the replay keeps that order's shape, so the same list as a
// CSV without rounds tells the same days.
TEST(ResultsReplay, SameDaysWithoutRoundNames) {
    const MatchList json = readMatchList(worldCup2002());
    std::string csv = "date,group,team1,team2,score1,score2,winner\n";
    for (const Match& m : json.matches) {
        const Goals g = finalScore(m);
        csv += m.date + "," + m.group + "," + m.team1 + "," + m.team2 + "," + std::to_string(g.team1) + "," +
               std::to_string(g.team2) + "," + (g.team1 == g.team2 && m.knockout() ? std::to_string(matchWinner(m)) : "") + "\n";
    }
    Game fromJson, fromCsv;
    importWithHistory(fromJson, worldCup2002());
    importWithHistory(fromCsv, csv);
    ASSERT_EQ(fromJson.history.days().size(), 26u);  // the 25 match days and today, all teams new
    EXPECT_EQ(fromCsv.history, fromJson.history);
    EXPECT_EQ(fromJson.history.days().back().date, kToday);
}

// Four teams, one group and a final, dated; what each day knows.
const char kSmallList[] =
    "date,group,team1,team2,score1,score2,round\n"
    "2026-06-01,A,Red,Blue,1,0,\n"
    "2026-06-01,A,Green,Gold,0,0,\n"
    "2026-06-05,A,Red,Green,2,0,\n"
    "2026-06-05,A,Blue,Gold,2,1,\n"
    "2026-06-10,,Red,Blue,1,0,Final\n";

TEST(ResultsReplay, EachDayKnowsOnlyWhatHadHappened) {
    Game game;
    importWithHistory(game, kSmallList, "26/06/20");
    const ResultsHistory& h = game.history;
    ASSERT_EQ(dates(h), (std::vector<std::string>{"26/06/01", "26/06/05", "26/06/10", "26/06/20"}));
    struct Step {
        const char* date;
        const char* team;
        const char* results;
    } steps[] = {
        // The final's pairing is not known yet: nobody through, nobody out.
        {"26/06/01", "Red", "1 0 0 0 1 0 0"},
        {"26/06/01", "Green", "0 1 0 0 0 0 0"},
        // The group is over: its first two in the final, the others out.
        {"26/06/05", "Red", "2 0 0 0 3 1 0"},
        {"26/06/05", "Blue", "1 0 1 0 0 1 0"},
        {"26/06/05", "Gold", "0 1 1 0 -1 0 1"},
        {"26/06/10", "Red", "2 0 0 1 3 1 0"},
        {"26/06/10", "Blue", "1 0 1 0 0 1 1"},
        {"26/06/20", "Blue", "1 0 1 0 0 1 1"},
    };
    for (const Step& s : steps) EXPECT_EQ(resultsOf(dayOf(h, s.date), s.team), s.results) << s.date << ' ' << s.team;

    // What the list gives after today is not a day yet; today takes it all.
    Game early;
    importWithHistory(early, kSmallList, "26/06/05");
    EXPECT_EQ(dates(early.history), (std::vector<std::string>{"26/06/01", "26/06/05"}));
    EXPECT_EQ(resultsOf(early.history.days().back(), "Red"), "2 0 0 1 3 1 0");
}

// An undated match is played on the day of the import; a match of a year
// the two-digit date cannot place makes no day, but counts from then on.
TEST(ResultsReplay, UndatedMatchesCountOnlyToday) {
    Game game;
    importWithHistory(game,
                      "date,group,team1,team2,score1,score2\n"
                      "2026-06-01,A,Red,Blue,1,0\n"
                      ",A,Red,Gold,3,0\n"
                      "1998-06-10,A,Green,Blue,2,2\n"
                      "2026-06-03,A,Green,Gold,,\n",
                      "26/06/20");
    const ResultsHistory& h = game.history;
    ASSERT_EQ(dates(h), (std::vector<std::string>{"26/06/01", "26/06/20"}));
    EXPECT_EQ(resultsOf(h.days()[0], "Red"), "1 0 0 0 1 0 0");
    EXPECT_EQ(resultsOf(h.days()[0], "Blue"), "0 1 1 0 -1 0 0");
    EXPECT_EQ(resultsOf(h.days()[1], "Red"), "2 0 0 0 4 0 0");
    EXPECT_EQ(resultsOf(h.days()[1], "Green"), "0 1 0 0 0 0 0");
}

// The replay works on copies: a plan that does not fit throws before the
// game or its history changes, and the teams the list does not name keep
// their results on every day.
TEST(ResultsReplay, FailsWholeAndKeepsOtherTeams) {
    Game game;
    Team other;
    other.name = "Other";
    other.wins = 5;
    game.addTeam(other);
    game.history.setDay({"26/05/01", false, {}});
    TeamMatcher matcher(game);
    PreparedImport prepared = prepareImport(kSmallList, matcher);
    ImportPlan bad = prepared.plan;
    bad.targets[0] = 0;
    bad.targets[1] = 0;  // two list teams to one team
    const Game before = game;
    EXPECT_THROW(applyImportWithHistory(game, prepared.list, prepared.results, bad, {}, "26/06/20"), ImportError);
    EXPECT_EQ(game.teams(), before.teams());
    EXPECT_EQ(game.history, before.history);

    applyImportWithHistory(game, prepared.list, prepared.results, prepared.plan, {}, "26/06/20");
    ASSERT_EQ(game.history.days().size(), 5u);
    for (const HistoryDay& day : game.history.days()) {
        if (day.date != "26/05/01") {
            EXPECT_EQ(resultsOf(day, "Other"), "5 0 0 0 0 0 0") << day.date;
        }
    }
}

}  // namespace
}  // namespace scorvale::imports::replay_test
