#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "gamefile/file_error.h"
#include "gamefile/safe_file.h"
#include "report/html_report.h"
#include "report/page_parts.h"
#include "tests/core/report_test_texts.h"

namespace scorvale {
namespace {

using testing::reportFixturePath;
using testing::sj;

std::string fixture(const std::string& name) { return readWholeFile(reportFixturePath(name)); }

struct TeamRow {
    const char* name;
    const char* symbol;
    const char* group;
    const char* date;
    int qualify, out, rank, popularity, played, tournamentWins, wins, losses, draws, points, bonus;
};

void addTeams(Game& g, std::initializer_list<TeamRow> rows) {
    for (const TeamRow& r : rows) {
        Team t;
        t.name = sj(r.name);
        t.symbol = r.symbol;
        t.group = r.group;
        t.date = r.date;
        t.qualify = r.qualify;
        t.out = r.out;
        t.rank = r.rank;
        t.popularity = r.popularity;
        t.played = r.played;
        t.tournamentWins = r.tournamentWins;
        t.wins = r.wins;
        t.losses = r.losses;
        t.draws = r.draws;
        t.points = r.points;
        t.bonus = r.bonus;
        g.addTeam(t);
    }
}

void addMember(Game& g, const char* name, const char* symbol, const char* date, int score, int rank,
               std::initializer_list<const char*> votes) {
    Member m;
    m.name = sj(name);
    m.symbol = symbol;
    m.date = date;
    m.score = score;
    m.rank = rank;
    for (const char* v : votes) m.appendVote(sj(v));
    g.addMember(m);
}

// Stored values are set by hand: the page must show them as they stand.
Game plainGame() {
    Game g;
    g.settings.bonus1 = g.settings.bonus2 = g.settings.bonus3 = g.settings.qualifyBonus = 0;
    g.settings.maxBet = 3;
    addTeams(g, {{"日本", "", "H", "02/06/14", 1, 0, 1, 2, 3, 0, 2, 0, 1, 7, 0},
                 {"ドイツ", "", "E", "02/06/11", 0, 1, 2, 1, 3, 0, 1, 1, 1, 4, 0},
                 {"Brazil", "", "C", "", 1, 1, 3, 0, 100, 7, 1234, -5, 0, 3702, 0},
                 {"韓国", "", "D", "02/06/10", 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0}});
    addMember(g, "太郎", "", "02/06/01", 27, 1, {"日本", "ドイツ"});
    addMember(g, "花子", "", "", 0, 2, {});
    return g;
}

ReportSettings plainSettings() {
    ReportSettings r;
    r.title = "<i>Cup</i> 2002";
    r.date = "02/06/30";
    r.editor = sj("幹事");
    return r;
}

Game fullGame() {
    Game g;
    g.settings.rate = 2;
    g.settings.over = 1;
    g.settings.bonus1 = 20;
    g.settings.bonus2 = 10;
    g.settings.bonus3 = 0;
    g.settings.qualifyBonus = 30;
    g.settings.maxBet = 3;
    addTeams(g, {{"日本", "jp.gif", "H", "02/06/30", 1, 1, 1, 3, 4, 1, 2, 1, 1, 13, 50},
                 {"ドイツ", "", "E", "02/06/29", 1, 0, 2, 2, 4, 1, 3, 1, 0, 15, 40},
                 {"韓国", "kr.gif", "D", "02/06/25", 0, 1, 3, 1, 3, 0, 1, 2, 0, 3, 0}});
    // Collection order is not rank order; Top5 cuts it as it stands.
    addMember(g, "太郎", "taro.gif", "02/06/01", 47830, 1, {"日本", "ドイツ", "韓国"});
    addMember(g, "花子", "", "02/06/02", 43101, 4, {"ドイツ", "日本", "ブラジル", "韓国"});  // beyond maxBet
    addMember(g, "次郎", "", "", 0, 6, {});
    addMember(g, "三郎", "", "02/06/03", 47830, 1, {"日本", "ドイツ", "韓国"});
    addMember(g, "四郎", "", "02/06/04", 47830, 1, {"日本", "ドイツ", "韓国", "ドイツ"});  // count differs
    addMember(g, "五郎", "", "02/06/05", 81, 7, {"韓国"});
    addMember(g, "六郎", "", "02/06/06", 47830, 1, {"日本", "ドイツ", "韓国"});  // same, but beyond Top5
    return g;
}

ReportSettings fullSettings() {
    ReportSettings r;
    r.title = sj("W杯 2002");
    r.date = "02/06/30";
    r.editor = sj("幹事");
    r.head = sj("ようこそ\r\nみなさん");
    r.foot = sj("また\r\n来年");
    r.backgroundImage = "bg.gif";
    r.topImage = "top.gif";
    r.leftImage = "l.gif";
    r.rightImage = "r.gif";
    r.memberDetails = 1;
    r.memberRange = 0;
    r.teamRange = 1;
    return r;
}

Game rangesGame() {
    Game g;
    g.settings.rate = 3;
    g.settings.bonus1 = g.settings.bonus2 = g.settings.qualifyBonus = 0;
    g.settings.bonus3 = 5;
    g.settings.maxBet = 5;
    const char* names[] = {"A", "B", "C", "D", "E", "F"};
    for (int i = 0; i < 6; ++i) {
        Team t;
        t.name = names[i];
        t.rank = i + 1;
        g.addTeam(t);
    }
    return g;
}

ReportSettings rangesSettings() {
    ReportSettings r;
    r.title = "Cup";
    r.memberDetails = 1;
    r.memberRange = 1;
    r.teamRange = 0;
    return r;
}

struct GoldenCase {
    const char* file;
    Game (*game)();
    ReportSettings (*settings)();
};

// Whole pages, byte for byte, against pages first written by hand. With
// SCORVALE_UPDATE_GOLDEN set the pages are written instead, for a deliberate
// change of the page; the diff is then reviewed like code.
TEST(ReportPage, MatchesGoldenPages) {
    const bool update = std::getenv("SCORVALE_UPDATE_GOLDEN") != nullptr;
    const GoldenCase cases[] = {{"plain.html", plainGame, plainSettings},
                                {"full.html", fullGame, fullSettings},
                                {"ranges.html", rangesGame, rangesSettings}};
    for (const GoldenCase& c : cases) {
        const Game game = c.game();
        const Game before = game;
        if (update) writeFileAtomically(reportFixturePath(c.file), htmlReportBytes(game, c.settings()));
        EXPECT_EQ(htmlReportBytes(game, c.settings()), fixture(c.file)) << c.file;
        EXPECT_EQ(game.members(), before.members()) << c.file;
        EXPECT_EQ(game.teams(), before.teams()) << c.file;
    }
}

// The exponent shown is the one the scoring applies, whatever else is stored.
TEST(ReportPage, FormulaLineFollowsTheAppliedExponent) {
    const std::string plain = sj("<h4>(総勝点＋総特賞) ｘ 投票点</h4>");
    const std::string power = sj("<h4>{ (総勝点＋総特賞) ｘ 投票点 } <sup>");
    const struct {
        int rate;
        std::string expected;
    } cases[] = {{-1, plain}, {0, plain}, {1, plain}, {2, power + "2</sup></h4>"}, {3, power + "3</sup></h4>"},
                 {4, plain}, {7, plain}};
    for (const auto& c : cases) {
        Game g;
        g.settings.rate = c.rate;
        const std::string page = htmlReportBytes(g, ReportSettings{});
        EXPECT_NE(page.find(c.expected + "<table border=\"0\">"), std::string::npos) << "rate " << c.rate;
        EXPECT_EQ(page.find("<sup>") != std::string::npos, c.rate == 2 || c.rate == 3) << "rate " << c.rate;
    }
}

TEST(ReportParts, RowLimit) {
    const struct {
        int range, size, expected;
    } cases[] = {{0, 12, 5}, {0, 3, 3}, {1, 7, 7}, {1, 30, 10}, {2, 30, 30}, {-1, 4, 4}, {9, 0, 0}, {0, 0, 0}};
    for (const auto& c : cases) EXPECT_EQ(reportRowLimit(c.range, c.size), c.expected) << c.range << "/" << c.size;
}

TEST(ReportParts, GreetingAndHeading) {
    EXPECT_EQ(greetingToHtml(""), "");
    EXPECT_EQ(greetingToHtml("a\r\nb\n\nc\r"), "a\r<BR>\nb<BR>\n<BR>\nc\r");
    ReportSettings r;
    EXPECT_EQ(sectionHeading(imageFragments(r), "X"), "<HR><h3>X</h3>\r\n");
    r.leftImage = "l.png";
    EXPECT_EQ(sectionHeading(imageFragments(r), "X"), "<HR><h3><img src=\"l.png\"> X</h3>\r\n");
    r.rightImage = "r.png";
    r.topImage = "t.png";
    r.backgroundImage = "b.png";
    const ImageFragments f = imageFragments(r);
    EXPECT_EQ(f.backgroundAttribute, "background=\"b.png\" ");
    EXPECT_EQ(f.topImageTag, "<img src=\"t.png\">");
    EXPECT_EQ(f.rightImageTag, " <img src=\"r.png\">");
}

TEST(ReportParts, NumberFormats) {
    const struct {
        std::int32_t value;
        const char *d, *d3, *d03;
    } cases[] = {{0, "0", "  0", "000"},       {7, "7", "  7", "007"},     {-5, "-5", " -5", "-05"},
                 {123, "123", "123", "123"},   {1000, "1000", "1000", "1000"},
                 {INT32_MIN, "-2147483648", "-2147483648", "-2147483648"}};
    for (const auto& c : cases) {
        std::string d, d3, d03;
        appendInt(d, c.value);
        appendInt3(d3, c.value);
        appendInt03(d03, c.value);
        EXPECT_EQ(d, c.d);
        EXPECT_EQ(d3, c.d3);
        EXPECT_EQ(d03, c.d03);
    }
}

// A line feed inside a stored text is written as a text file writes it.
TEST(ReportParts, LineFeedsInTextsBecomeCrLf) {
    std::string page;
    appendText(page, "a\nb\r\n");
    EXPECT_EQ(page, "a\r\nb\r\r\n");
}

class ReportFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("scorvale_report_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override {
        setWriteFaultHookForTesting(nullptr);
        std::filesystem::remove_all(dir_);
    }
    std::filesystem::path dir_;
};

TEST_F(ReportFileTest, WritesThePageAndReplacesAnOldOne) {
    const std::string path = (dir_ / "cup.html").string();
    writeFileAtomically(path, "old");
    writeHtmlReport(plainGame(), path, plainSettings());
    EXPECT_EQ(readWholeFile(path), fixture("plain.html"));
}

TEST_F(ReportFileTest, FailureCarriesPathAndReasonAndKeepsTheOldFile) {
    const std::string missing = (dir_ / "no" / "cup.html").string();
    try {
        writeHtmlReport(plainGame(), missing, plainSettings());
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(e.path(), missing);
        EXPECT_FALSE(e.reason().empty());
    }

    const std::string path = (dir_ / "cup.html").string();
    writeFileAtomically(path, "old");
    setWriteFaultHookForTesting([](std::size_t) { return false; });
    EXPECT_THROW(writeHtmlReport(fullGame(), path, fullSettings()), FileError);
    EXPECT_EQ(readWholeFile(path), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

}  // namespace
}  // namespace scorvale
