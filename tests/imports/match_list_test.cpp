#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imports/import_error.h"
#include "imports/match_list.h"
#include "text/sjis_codec.h"

namespace scorvale::imports {
namespace {

using Place = ImportError::Place;

Match knockout(std::string team1, std::string team2) {
    Match m;
    m.team1 = std::move(team1);
    m.team2 = std::move(team2);
    m.stage = Stage::knockout;
    return m;
}

TEST(ReadMatchList, JsonFieldsAndOnlyThose) {
    const std::string json =
        "\xEF\xBB\xBF"
        R"({"name": " World Cup 2099 ", "extra": [1, 2],
  "matches": [
    {"round": "Matchday 1", "date": "2099-06-01", "team1": " Brazil ", "team2": "Japan",
     "group": "Group A", "ground": "X", "goals1": [{"name": "Y", "minute": "90+4"}],
     "score": {"ft": [2, 1], "ht": [1, 0], "et": [3, 3], "p": [4, 2]}},
    {"round": "Final", "team1": "W1", "team2": "W2"},
    {"round": "Final", "team1": "Brazil", "team2": "Chile", "score": {"ht": [0, 0]}},
    {"round": "Final", "team1": "Chile", "team2": "Peru", "score": null, "group": null, "date": null},
    {"round": "Final", "date": "2099-07-01", "team1": "Peru", "team2": "Japan",
     "score": {"ft": [1, 1], "et": [2, 2], "p": [5, 4]}}
  ]})";
    const MatchList list = readMatchList(json);
    EXPECT_EQ(list.format, MatchListFormat::Json);
    EXPECT_EQ(list.name, "World Cup 2099");
    ASSERT_EQ(list.matches.size(), 5u);

    const Match& group = list.matches[0];
    EXPECT_EQ(group.place, 1);
    EXPECT_EQ(group.round, "Matchday 1");
    EXPECT_EQ(group.group, "Group A");
    EXPECT_EQ(group.team1, "Brazil");
    EXPECT_EQ(group.date, "2099-06-01");
    EXPECT_EQ(group.fullTime, (Goals{2, 1}));
    EXPECT_EQ(group.extraTime, (Goals{3, 3}));  // read; the rules leave them to knockout matches
    EXPECT_EQ(group.stage, Stage::group);

    for (const std::size_t i : {1u, 2u, 3u}) {
        EXPECT_FALSE(list.matches[i].played()) << i;
        EXPECT_EQ(list.matches[i].stage, Stage::knockout) << i;
    }
    EXPECT_TRUE(list.problems.empty());
    const Match& shootOut = list.matches[4];
    EXPECT_EQ(shootOut.place, 5);
    EXPECT_EQ(shootOut.extraTime, (Goals{2, 2}));
    EXPECT_EQ(shootOut.penalties, (Goals{5, 4}));
    EXPECT_EQ(matchWinner(shootOut), 1);
}

TEST(ReadMatchList, MatchWinner) {
    struct Case {
        std::optional<Goals> ft, et, p;
        int winner;  // the list's own
        int expected;
    } cases[] = {
        {Goals{2, 1}, {}, {}, 0, 1},
        {Goals{1, 1}, Goals{1, 2}, {}, 0, 2},
        {Goals{1, 1}, Goals{1, 1}, Goals{3, 4}, 0, 2},
        {Goals{0, 0}, {}, Goals{4, 2}, 0, 1},  // shoot-out straight after full time
        {Goals{1, 1}, {}, {}, 2, 2},           // a CSV's winner column
        {Goals{1, 1}, {}, {}, 0, 0},
        {std::nullopt, {}, {}, 1, 0},
    };
    for (const Case& c : cases) {
        Match m = knockout("A", "B");
        m.fullTime = c.ft;
        m.extraTime = c.et;
        m.penalties = c.p;
        m.winner = c.winner;
        EXPECT_EQ(matchWinner(m), c.expected);
    }
}

const char* const kCsv =
    "date,Team1,team2,score1,score2,group,winner,note\n"
    "2099/6/1,ブラジル,日本,2,1,A,,初戦\n"
    "2099-06-02,\"ﾌﾞﾗｼﾞﾙ\",\"Côte d'Ivoire\",０,０,グループA,,\n"
    ",,,,,,,\n"
    "2099-06-20,日本,Côte d'Ivoire,1,1,,2,\"PK 3-4,\n延長なし\"\n"
    "2099-06-21,韓国,ブラジル,0,1,,ブラジル,\n"
    ",韓国,日本,,,,,\n";

std::vector<Match> expectedCsvMatches() {
    std::vector<Match> m(5);
    m[0] = {2, "", "A", "ブラジル", "日本", "2099-06-01", Goals{2, 1}, {}, {}, 0};
    m[1] = {3, "", "グループA", "ﾌﾞﾗｼﾞﾙ", "Côte d'Ivoire", "2099-06-02", Goals{0, 0}, {}, {}, 0};
    m[2] = {5, "", "", "日本", "Côte d'Ivoire", "2099-06-20", Goals{1, 1}, {}, {}, 2, Stage::knockout};
    m[3] = {7, "", "", "韓国", "ブラジル", "2099-06-21", Goals{0, 1}, {}, {}, 2, Stage::knockout};
    m[4] = {8, "", "", "韓国", "日本", "", {}, {}, {}, 0, Stage::knockout};
    return m;
}

std::string withCrLf(const std::string& lf) {
    std::string out;
    for (const char c : lf) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

// The same sheet as form tools (UTF-8 with a BOM) and Excel (CP932, CR LF)
// write it, and the other two mixes; a quoted cell holds a line break.
TEST(ReadMatchList, CsvInEveryEncodingAndLineEnd) {
    const std::string utf8 = kCsv;
    // CP932 has no ô: that sheet names the team in katakana.
    const auto cp932Sheet = [](const std::string& text) {
        std::string t = text;
        for (std::size_t at; (at = t.find("Côte d'Ivoire")) != std::string::npos;)
            t.replace(at, std::string("Côte d'Ivoire").size(), "コートジボワール");
        return sjis::fromUtf8(t).value();
    };
    std::vector<Match> katakana = expectedCsvMatches();
    for (Match& m : katakana)
        if (m.team2 == "Côte d'Ivoire") m.team2 = "コートジボワール";

    const struct {
        const char* what;
        std::string bytes;
        const std::vector<Match> expected;
    } cases[] = {
        {"UTF-8, LF", utf8, expectedCsvMatches()},
        {"UTF-8 with BOM, CR LF", "\xEF\xBB\xBF" + withCrLf(utf8), expectedCsvMatches()},
        {"CP932, CR LF", withCrLf(cp932Sheet(utf8)), katakana},
        {"CP932, LF", cp932Sheet(utf8), katakana},
    };
    for (const auto& c : cases) {
        const MatchList list = readMatchList(c.bytes);
        EXPECT_EQ(list.format, MatchListFormat::Csv) << c.what;
        EXPECT_EQ(list.matches, c.expected) << c.what;
    }
}

struct BadCase {
    const char* what;
    std::string bytes;
    Place place;
    int number;
    const char* reason;  // a part of it
};

void expectError(const BadCase& c) {
    try {
        readMatchList(c.bytes);
        ADD_FAILURE() << c.what << ": read without an error";
    } catch (const ImportError& e) {
        EXPECT_EQ(e.place(), c.place) << c.what << ": " << e.what();
        EXPECT_EQ(e.number(), c.number) << c.what << ": " << e.what();
        // what() whole, as svltool and the window show it.
        EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << c.what << ": " << e.what();
    }
}

std::string jsonMatches(const std::string& matches) { return R"({"name": "T", "matches": [)" + matches + "]}"; }

// What went wrong comes as data for the window to word: the kind, the place
// and the texts of the list it names, as the list writes them.
TEST(ReadMatchList, ProblemsAreData) {
    using Kind = ImportError::Kind;
    const struct {
        const char* what;
        std::string bytes;
        Kind kind;
        Place place;
        int number;
        std::vector<std::string> args;
    } cases[] = {
        {"CSV cell", "team1,team2,score1,score2,group\nA,B,-1,0,A\n", Kind::goalsNegative, Place::Line, 2,
         {"score1", "-1"}},
        {"JSON key", jsonMatches(R"({"team1": "A", "team2": "B", "score": {"ft": [1, -2]}})"), Kind::goalsNegative,
         Place::Match, 1, {"ft"}},
        {"a loser plays on",
         jsonMatches(R"({"round": "R", "team1": "A", "team2": "B", "score": {"ft": [1, 0]}},
                        {"round": "R", "team1": "B", "team2": "A", "score": {"ft": [1, 0]}})"),
         Kind::loserPlaysOn, Place::Match, 2, {"B", "1"}},
        {"no list", R"({"name": "T"})", Kind::jsonNoMatches, Place::File, 0, {}},
    };
    for (const auto& c : cases) {
        try {
            readMatchList(c.bytes);
            ADD_FAILURE() << c.what << ": read without an error";
        } catch (const ImportError& e) {
            EXPECT_EQ(e.kind(), c.kind) << c.what << ": " << e.what();
            EXPECT_EQ(e.place(), c.place) << c.what;
            EXPECT_EQ(e.number(), c.number) << c.what;
            EXPECT_EQ(e.args(), c.args) << c.what;
            EXPECT_FALSE(e.input()) << c.what;
        }
    }
    try {
        readMatchList("team1,team2,score1,score2\nA,\"B,1,0\n");
        ADD_FAILURE() << "an open quote read";
    } catch (const ImportError& e) {
        EXPECT_EQ(e.kind(), Kind::csvInvalid);
        ASSERT_TRUE(e.input());
        EXPECT_EQ(*e.input(), (text::InputProblem{text::InputProblem::Kind::unclosedQuote, 2, 2, {}, 0}));
        EXPECT_STREQ(e.what(), "line 2: not valid CSV: a quoted field is not closed");
    }
}

const std::string kOk = R"({"round": "R", "team1": "A", "team2": "B"})";

TEST(ReadMatchList, BadJsonNamesTheMatch) {
    const BadCase cases[] = {
        {"syntax", "{\"matches\": [\n  {\"team1\": \"A\",,}\n]}", Place::Line, 2, "not valid JSON"},
        {"not an object", "[1, 2]", Place::File, 0, "not an object"},
        {"a number beyond a double", R"({"name": 1E400, "matches": []})", Place::File, 0, "number overflow"},
        {"no matches", R"({"name": "x"})", Place::File, 0, "\"matches\""},
        {"match not an object", jsonMatches(kOk + ", 3"), Place::Match, 2, "not an object"},
        {"team missing", jsonMatches(R"({"team1": "A"})"), Place::Match, 1, "team2 is missing"},
        {"team not a text", jsonMatches(R"({"team1": "A", "team2": 7})"), Place::Match, 1, "team2 is not a text"},
        {"team empty", jsonMatches(kOk + R"(, {"team1": " ", "team2": "B"})"), Place::Match, 2, "team1 is empty"},
        {"team plays itself", jsonMatches(R"({"team1": "Japan", "team2": " japan"})"), Place::Match, 1, "plays itself"},
        {"score text", jsonMatches(R"({"team1": "A", "team2": "B", "score": {"ft": "2-1"}})"), Place::Match, 1,
         "score ft is not two whole numbers"},
        {"score of three", jsonMatches(R"({"team1": "A", "team2": "B", "score": {"ft": [1, 2, 3]}})"), Place::Match, 1,
         "not two whole numbers"},
        {"score fraction", jsonMatches(R"({"team1": "A", "team2": "B", "score": {"ft": [1.5, 2]}})"), Place::Match, 1,
         "not two whole numbers"},
        {"negative", jsonMatches(R"({"team1": "A", "team2": "B", "score": {"ft": [1, -2]}})"), Place::Match, 1,
         "negative"},
        {"absurd", jsonMatches(R"({"team1": "A", "team2": "B", "score": {"ft": [100, 2]}})"), Place::Match, 1,
         "more than 99"},
        {"minus zero", jsonMatches(R"({"team1": "A", "team2": "B", "score": {"ft": [1, -0]}})"), Place::Match, 1,
         "negative"},
        {"beyond 64 bits", jsonMatches(R"({"team1": "A", "team2": "B", "score": {"ft": [18446744073709551615, 0]}})"),
         Place::Match, 1, "more than 99"},
        {"absurd penalties",
         jsonMatches(R"({"team1": "A", "team2": "B", "score": {"ft": [1, 1], "p": [1, 4000000000]}})"), Place::Match, 1,
         "more than 99"},
        {"bad date", jsonMatches(R"({"team1": "A", "team2": "B", "date": "2002/06/30"})"), Place::Match, 1,
         "is not YYYY-MM-DD"},
        {"no such day", jsonMatches(R"({"team1": "A", "team2": "B", "date": "2002-02-29"})"), Place::Match, 1,
         "is not YYYY-MM-DD"},
        {"knockout level, no shoot-out",
         jsonMatches(kOk +
                     R"(, {"round": "Final", "team1": "A", "team2": "B", "score": {"ft": [1, 1], "et": [2, 2]}})"),
         Place::Match, 2, "ends level and has no penalty shoot-out"},
        {"shoot-out level", jsonMatches(R"({"team1": "A", "team2": "B", "score": {"ft": [1, 1], "p": [3, 3]}})"),
         Place::Match, 1, "penalty shoot-out ends level"},
        {"placeholder with a score", jsonMatches(R"({"team1": "W49", "team2": "B", "score": {"ft": [1, 0]}})"),
         Place::Match, 1, "\"W49\" stands for a team not known yet"},
        {"shoot-out after a decisive score",
         jsonMatches(R"({"team1": "A", "team2": "B", "score": {"ft": [2, 0], "p": [3, 4]}})"), Place::Match, 1,
         "a penalty shoot-out (3-4) after a decisive score (2-0)"},
        {"shoot-out after extra time decided",
         jsonMatches(R"({"team1": "A", "team2": "B", "score": {"ft": [1, 1], "et": [2, 1], "p": [3, 4]}})"),
         Place::Match, 1, "after a decisive score (2-1)"},
        {"extra time takes a goal away",
         jsonMatches(R"({"team1": "A", "team2": "B", "score": {"ft": [2, 1], "et": [1, 1], "p": [3, 4]}})"),
         Place::Match, 1, "the score after extra time (1-1) is lower than at full time (2-1)"},
        // A NUL in a name stays in the message, written out.
        {"NUL in a name", jsonMatches(R"({"team1": "A\u0000B", "team2": "a\u0000b"})"), Place::Match, 1,
         "\"A\\x00B\" plays itself"},
    };
    for (const BadCase& c : cases) expectError(c);
}

const std::string kHeader = "group,team1,team2,score1,score2,winner,date\n";

TEST(ReadMatchList, BadCsvNamesTheLine) {
    const BadCase cases[] = {
        {"neither JSON nor CSV", "\x89PNG\r\n\x1a\n\"\0\0", Place::File, 0, "neither a JSON match list nor a CSV"},
        {"plain text", "Dear members,\nthe results are in.\n", Place::File, 0, "neither"},
        {"empty", " \r\n ", Place::File, 0, "empty"},
        {"missing column", "group,team1,team2,score1\nA,B,C,1\n", Place::Line, 1, "the column score2 is missing"},
        {"column twice", "team1,team2,score1,score2,Team1\n", Place::Line, 1, "the column team1 appears twice"},
        {"open quote", kHeader + "A,B,C,1,0,,\n\"A,B\n", Place::Line, 3, "not valid CSV"},
        {"not a number", kHeader + "A,B,C,1,0,,\nA,B,D,x,0,,\n", Place::Line, 3, "score1 \"x\" is not a number"},
        {"number and text", kHeader + "A,B,D,1,2点,,\n", Place::Line, 2, "score2 \"2点\" is not a number"},
        {"negative", kHeader + "A,B,D,-1,0,,\n", Place::Line, 2, "negative"},
        {"full-width negative", kHeader + "A,B,D,－１,0,,\n", Place::Line, 2, "negative"},
        {"absurd", kHeader + "A,B,D,1,120,,\n", Place::Line, 2, "more than 99"},
        {"one score only", kHeader + "A,B,D,1,,,\n", Place::Line, 2, "score2 is empty"},
        {"team empty", kHeader + "A,B,,1,0,,\n", Place::Line, 2, "team2 is empty"},
        {"knockout level without winner", kHeader + "A,B,C,1,0,,\n\n,B,C,2,2,,\n", Place::Line, 4,
         "ends level and the winner column names no winner"},
        {"winner of neither side", kHeader + ",B,C,2,2,D,\n", Place::Line, 2, "winner \"D\" is neither"},
        {"winner who lost", kHeader + ",B,C,2,1,C,\n", Place::Line, 2, "winner \"C\" lost 2-1"},
        {"bad date", kHeader + "A,B,C,2,1,,30.06.2002\n", Place::Line, 2, "is not YYYY-MM-DD or YYYY/MM/DD"},
        {"placeholder with a score", kHeader + ",1A,2B,2,1,,\n", Place::Line, 2, "stands for a team not known yet"},
    };
    for (const BadCase& c : cases) expectError(c);
}

// Orders of matches no tournament plays, each refused at the match that
// cannot follow what came before.
TEST(ReadMatchList, ImpossibleSequences) {
    const BadCase cases[] = {
        {"a two-legged tie",
         jsonMatches(R"({"round": "R16", "team1": "A", "team2": "B", "score": {"ft": [2, 0]}},
                        {"round": "R16", "team1": "B", "team2": "A", "score": {"ft": [1, 0]}})"),
         Place::Match, 2,
         "\"B\" lost the knockout match of match 1 and plays again, against a team that has not lost; a two-legged "
         "tie goes in as one match"},
        {"the loser in the next round, not played yet",
         kHeader + ",A,B,1,0,,\n,C,D,0,1,,\n,B,D,,,,\n", Place::Line, 4, "\"B\" lost the knockout match of line 2"},
        {"the same knockout match twice",
         kHeader + ",A,B,1,0,,\n,A,B,1,0,,\n", Place::Line, 3, "\"B\" lost the knockout match of line 2"},
        {"a loser back in a group", kHeader + ",A,B,1,0,,\nG,B,C,1,1,,\n", Place::Line, 3, "\"B\" lost"},
        // Rounds but no groups: every match is a knockout match, so a league
        // written so is refused, not read as one.
        {"a league with a round column",
         "round,team1,team2,score1,score2\n1,A,B,2,1\n1,C,D,0,0\n2,A,C,1,0\n", Place::Line, 3,
         "the knockout match ends level"},
        {"a league with a round column, no draws",
         "round,team1,team2,score1,score2\n1,A,B,2,1\n1,C,D,0,1\n2,B,D,1,0\n", Place::Line, 4,
         "\"B\" lost the knockout match of line 2 and plays again"},
    };
    for (const BadCase& c : cases) expectError(c);
}

TEST(ReadMatchList, PossibleSequences) {
    const std::string cases[] = {
        // Both semi-final losers meet for third place, then lose no more.
        kHeader + ",A,B,1,0,,\n,C,D,0,1,,\n,B,C,2,1,,\n,A,D,1,1,1,\n",
        // A semi-final loser beside a slot of the third-place match.
        kHeader + ",A,B,1,0,,\n,B,Loser SF2,,,,\n",
        // Listed out of order, dated in order: the dates decide.
        kHeader + ",A,C,2,0,,2002-06-30\n,A,B,1,0,,2002-06-25\n",
        // A level match replayed.
        jsonMatches(R"({"round": "First round", "team1": "Cuba", "team2": "Romania",
                        "score": {"ft": [2, 2], "et": [3, 3]}},
                       {"round": "First round, Replays", "team1": "Romania", "team2": "Cuba",
                        "score": {"ft": [1, 2]}})"),
        // A league: neither a group nor a round column.
        "team1,team2,score1,score2\nA,B,2,1\nC,D,1,1\nA,C,0,0\nB,D,3,0\n",
    };
    for (const std::string& bytes : cases) EXPECT_NO_THROW(readMatchList(bytes)) << bytes;
    const MatchList replayed = readMatchList(cases[3]);
    EXPECT_EQ(matchWinner(replayed.matches[0]), 0);
    EXPECT_EQ(matchWinner(replayed.matches[1]), 2);
}

std::string stages(const MatchList& list) {
    std::string out;
    for (const Match& m : list.matches) out += "GKP"[static_cast<int>(m.stage)];
    return out;
}

// Each match's stage, and where the reading guessed, the problem it names.
TEST(ReadMatchList, StageOfEachMatch) {
    const std::string dated = "date,group,team1,team2,score1,score2\n";
    const struct {
        const char* what;
        std::string bytes;
        const char* stages;            // G group, K knockout, P play-off before the groups
        std::vector<int> problemLines;  // of a CSV
        const char* problem;           // a part of the first
    } cases[] = {
        {"a league", "team1,team2,score1,score2\nA,B,2,1\nC,D,1,1\nA,C,,\n", "GGG", {}, ""},
        {"a cup", "round,team1,team2,score1,score2\nR1,A,B,2,1\nR1,C,D,1,2\nR2,A,D,,\n", "KKK", {}, ""},
        {"groups, then the knockout stage",
         dated + "2002-06-01,A,A,B,1,0\n2002-06-02,B,C,D,1,0\n2002-06-20,,A,C,,\n", "GGK", {}, ""},
        {"an empty group cell among group days",
         dated + "2002-06-01,A,A,B,1,0\n2002-06-05,,A,C,2,0\n2002-06-09,A,B,C,,\n", "GGG", {3},
         "its group is empty, but group matches are played before and after it (by date): counted as a group match"},
        {"an empty group cell among undated group matches",
         dated + ",A,A,B,1,0\n,,A,C,2,0\n,A,B,C,,\n", "GGG", {3}, "(in the list's order)"},
        {"the dates, not the rows, decide",
         dated + "2002-06-01,A,A,B,1,0\n2002-06-09,A,B,C,,\n2002-06-05,,A,C,2,0\n", "GGG", {4}, "by date"},
        {"a round of its own among group days",
         "date,round,group,team1,team2,score1,score2\n2002-06-01,MD1,A,A,B,1,0\n"
         "2002-06-05,Play-off,,C,D,2,0\n2002-06-09,MD2,A,B,A,,\n",
         "GKG", {}, ""},
        {"a round the group matches share",
         "date,round,group,team1,team2,score1,score2\n2002-06-01,MD1,A,A,B,1,0\n"
         "2002-06-05,MD1,,C,D,2,0\n2002-06-09,MD2,A,B,A,,\n",
         "GGG", {3}, "counted as a group match"},
        {"a dated play-off before the groups",
         dated + "2002-05-20,,A,E,1,0\n2002-06-01,A,A,B,1,0\n2002-06-09,A,B,C,,\n", "PGG", {}, ""},
        {"an undated play-off before the groups", dated + ",,A,E,1,0\n,A,A,B,1,0\n,A,B,C,,\n", "PGG", {2},
         "taken for a play-off before the group stage"},
        // A tournament of one day: the list's order within the day.
        {"groups and finals on one day",
         dated + "2002-06-01,A,A,B,1,0\n2002-06-01,A,C,D,1,0\n2002-06-01,,A,C,1,0\n", "GGK", {}, ""},
        {"a JSON list without a group",
         jsonMatches(R"({"round": "MD1", "group": "A", "date": "2002-06-01", "team1": "A", "team2": "B"},
                        {"round": "MD2", "date": "2002-06-05", "team1": "A", "team2": "C"},
                        {"round": "MD3", "group": "A", "date": "2002-06-09", "team1": "B", "team2": "C"})"),
         "GKG", {}, ""},
        {"a JSON list without a group nor a round",
         jsonMatches(R"({"group": "A", "date": "2002-06-01", "team1": "A", "team2": "B"},
                        {"date": "2002-06-05", "team1": "A", "team2": "C"},
                        {"group": "A", "date": "2002-06-09", "team1": "B", "team2": "C"})"),
         "GGG", {2}, "it has no group"},
    };
    for (const auto& c : cases) {
        const MatchList list = readMatchList(c.bytes);
        EXPECT_EQ(stages(list), c.stages) << c.what;
        std::vector<int> lines;
        for (const ImportError& p : list.problems) lines.push_back(p.number());
        EXPECT_EQ(lines, c.problemLines) << c.what;
        if (!list.problems.empty()) {
            EXPECT_NE(list.problems[0].reason().find(c.problem), std::string::npos)
                << c.what << ": " << list.problems[0].what();
        }
    }
}

}  // namespace
}  // namespace scorvale::imports

namespace scorvale::imports {
namespace {

// What a CSV dropped on the window may be: a match list only when its header
// names the match columns.
TEST(ReadMatchList, CsvHeaderTellsAMatchList) {
    const struct {
        std::string bytes;
        bool matchColumns;
    } cases[] = {
        {"team1,team2,score1,score2\nJapan,Brazil,1,2\n", true},
        {"\xEF\xBB\xBF" "Date,Group,Team1,Team2,Score1,Score2,Winner\r\n", true},
        {"team1,team2,score1\n", false},                      // a column missing
        {"\"name\",\"team1\",\"team2\",\"team3\"\n", false},  // members' picks
        {"名前,1位,2位\n", false},
        {"", false},
        {"\"unterminated,team1\nteam2,score1,score2\n", false},
    };
    for (const auto& c : cases) EXPECT_EQ(csvNamesMatchColumns(c.bytes), c.matchColumns) << c.bytes;
}

}  // namespace
}  // namespace scorvale::imports
