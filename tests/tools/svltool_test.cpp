#include <algorithm>
#include <filesystem>
#include <sstream>
#include <sys/stat.h>
#ifndef _WIN32
#include <unistd.h>
#endif
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "gamefile/game_file.h"
#include "model/today_text.h"
#include "report/html_report.h"
#include "report/phone_page.h"
#include "report/standings_picture.h"
#include "scoring/ordering.h"
#include "scoring/standings.h"
#include "tests/support/random_game.h"
#include "tests/tools/run_tool.h"
#include "text/csv.h"
#include "text/sjis_codec.h"

namespace scorvale::testing {
namespace {

std::string sj(const std::string& utf8) { return *sjis::fromUtf8(utf8); }

std::string crlf(const std::string& lf) {
    std::string out;
    for (char c : lf) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

// Two teams and three members, stored out of rank order so that the load's
// ordering shows.
Game smallGame() {
    Game g;
    g.settings.name = sj("小さな大会");
    g.settings.date = "02/06/30";
    g.report.editor = sj("幹事");
    g.report.head = sj("一行目") + "\r\n" + sj("二行目");
    g.report.foot = "bye";
    g.report.topImage = "top.png";
    Team germany;
    germany.name = sj("ドイツ");
    germany.group = "E";
    germany.wins = 1;
    germany.losses = 1;
    germany.goalDiff = -2;
    germany.qualify = 1;
    germany.out = 1;
    germany.date = "02/06/25";
    g.addTeam(germany);
    Team brazil;
    brazil.name = sj("ブラジル");
    brazil.group = "C";
    brazil.wins = 3;
    brazil.tournamentWins = 1;
    brazil.goalDiff = 8;
    brazil.qualify = 1;
    brazil.date = "02/06/30";
    g.addTeam(brazil);
    Member noVotes;
    noVotes.name = sj("鈴木");
    noVotes.date = "02/05/30";
    g.addMember(noVotes);
    Member absent;
    absent.name = sj("高橋");
    absent.appendVote(sj("オランダ"));
    g.addMember(absent);
    Member voter;
    voter.name = sj("佐藤");
    voter.date = "02/05/31";
    voter.appendVote(sj("ブラジル"));
    voter.appendVote(sj("ドイツ"));
    g.addMember(voter);
    return g;
}

// A load keeps the first record of each name; a game that a load gives back
// whole has no repeated names.
Game withUniqueNames(Game g) {
    for (int i = g.teamCount() - 1; i >= 0; --i)
        if (g.findTeamByName(g.teamAt(i).name.view()) != i) g.removeTeamAt(i);
    for (int i = g.memberCount() - 1; i >= 0; --i)
        if (g.findMemberByName(g.memberAt(i).name.view()) != i) g.removeMemberAt(i);
    return g;
}

const std::string kExample = std::string(SOURCE_ROOT) + "/examples/worldcup2002.svl";
std::string openfootball(const char* name) { return std::string(SOURCE_ROOT) + "/tests/fixtures/openfootball/" + name; }

Game loaded(const std::string& path) {
    Game g;
    g.settings.name.clear();
    loadGame(g, path, ReadAll);
    return g;
}

// The fields an import writes, and the name, as one line.
std::string resultFields(const Team& t) {
    std::ostringstream s;
    s << sjis::toUtf8(t.name.view()) << " w" << t.wins << " d" << t.draws << " l" << t.losses << " gd" << t.goalDiff
      << " tw" << t.tournamentWins << " q" << t.qualify << " out" << t.out << " [" << sjis::toUtf8(t.group.view())
      << "] " << t.date.view();
    return s.str();
}

std::vector<std::string> resultFields(const Game& g) {
    std::vector<std::string> out;
    for (const Team& t : g.teams()) out.push_back(resultFields(t));
    return out;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

class SvltoolTest : public ::testing::Test {
protected:
    std::string save(const Game& g, const std::string& name = "game.svl") {
        const std::string path = dir / name;
        saveGame(g, path);
        return path;
    }
    ScratchDir dir;
};

TEST_F(SvltoolTest, DecodeGivesThePlainLinesAndEncodeGivesTheSavedBytesBack) {
    RandomGames random(7);
    std::vector<Game> games{smallGame()};
    for (int i = 0; i < 6; ++i) {
        Game g = random.game(8, 8);
        if (g.settings.name.empty()) g.settings.name = "x";
        games.push_back(withUniqueNames(g));
    }
    for (const Game& g : games) {
        const std::string svl = save(g);
        const RunResult decoded = runTool({"decode", svl});
        ASSERT_EQ(decoded.status, 0) << decoded.err;
        EXPECT_EQ(decoded.out, crlf(gameFileText(g)));

        const std::string plain = dir / "plain.txt";
        ASSERT_EQ(runTool({"decode", svl, "-o", plain}).status, 0);
        EXPECT_EQ(readFile(plain), decoded.out);

        const std::string again = dir / "again.svl";
        const RunResult encoded = runTool({"encode", plain, "-o", again});
        ASSERT_EQ(encoded.status, 0) << encoded.err;
        EXPECT_EQ(readFile(again), readFile(svl));
        EXPECT_EQ(runTool({"encode", svl}).out, readFile(svl));
    }
}

TEST_F(SvltoolTest, DecodeReadsLinesAsTheLoaderDoes) {
    // Scrambled before the first name line, plain from it on, LF or CR LF.
    const std::string file = dir / "hand.svl";
    writeFile(file, scrambleLine("[G_WINNER]5") + "\r\n" + "[G_NAME]cup\n[T_NAME]" + sj("日本") +
                        "\r\n[T_END]\n[ALL_END]");
    const RunResult r = runTool({"decode", file});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "[G_WINNER]5\r\n[G_NAME]cup\r\n[T_NAME]" + sj("日本") + "\r\n[T_END]\r\n[ALL_END]\r\n");
}

TEST_F(SvltoolTest, StandingsTablesAfterLoadScoringAndRankOrder) {
    const std::string svl = save(smallGame());
    const RunResult r = runTool({"standings", svl});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "チーム\tグループ\t順位\t状態\t人気\t消化\tT勝\t勝\t負\t分\t勝点\t得失\t特賞\t最終更新\n"
              "ブラジル\tC\t1\tT\t10\t4\t1\t3\t0\t0\t15\t8\t30\t02/06/30\n"
              "ドイツ\tE\t2\tTD\t9\t2\t0\t1\t1\t0\t3\t-2\t30\t02/06/25\n"
              "\n"
              "参加者\t順位\t得点\t筆頭候補\t最終更新\n"
              "佐藤\t1\t747\tブラジル\t02/05/31\n"
              "鈴木\t2\t0\t\t02/05/30\n"
              "高橋\t2\t0\tオランダ\t\n");
    EXPECT_EQ(runTool({"standings", "--tsv", svl}).out, r.out);
}

// The CSV holds the TSV's cells: read by a CSV reader after its BOM, row for
// row and cell for cell (the empty line between the tables is no record).
TEST_F(SvltoolTest, StandingsCsvHoldsTheTablesCells) {
    const std::string svl = save(smallGame());
    const RunResult csv = runTool({"standings", "--csv", svl, "--member-key", "0"});
    ASSERT_EQ(csv.status, 0) << csv.err;
    ASSERT_EQ(csv.out.substr(0, 3), "\xEF\xBB\xBF");
    const std::vector<text::CsvRow> rows = text::parseCsv(std::string_view(csv.out).substr(3));
    std::vector<std::vector<std::string>> tsvRows;
    std::istringstream tsv(runTool({"standings", svl, "--member-key", "0"}).out);
    for (std::string line; std::getline(tsv, line);) {
        if (line.empty()) continue;
        std::vector<std::string> cells{""};
        for (const char c : line) {
            if (c == '\t') cells.emplace_back();
            else cells.back().push_back(c);
        }
        tsvRows.push_back(cells);
    }
    ASSERT_EQ(rows.size(), tsvRows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) EXPECT_EQ(rows[r].fields, tsvRows[r]) << r;
    EXPECT_EQ(tsvRows.size(), 1u + 2u + 1u + 3u);
}

TEST_F(SvltoolTest, StandingsKeysOrderAfterTheRankOrder) {
    const std::string svl = save(smallGame());
    const auto firstColumn = [](const std::string& table) {
        std::vector<std::string> names;
        std::size_t pos = 0;
        while (pos < table.size()) {
            const std::size_t end = table.find('\n', pos);
            const std::string line = table.substr(pos, end - pos);
            names.push_back(line.substr(0, line.find('\t')));
            pos = end + 1;
        }
        return names;
    };
    const std::vector<std::string> byName{"チーム", "ドイツ", "ブラジル", "", "参加者", "高橋", "佐藤", "鈴木"};
    EXPECT_EQ(firstColumn(runTool({"standings", svl, "--team-key", "0", "--member-key", "0"}).out), byName);
    const std::vector<std::string> byScore{"チーム", "ブラジル", "ドイツ", "", "参加者", "佐藤", "鈴木", "高橋"};
    EXPECT_EQ(firstColumn(runTool({"standings", svl, "--member-key", "3"}).out), byScore);
}

TEST_F(SvltoolTest, StandingsJsonHasTheListedFieldsInOrder) {
    Game g = smallGame();
    g.memberAt(0).name = "\x81\x20" "x";  // not Shift-JIS
    const RunResult r = runTool({"standings", "--json", save(g)});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto json = nlohmann::ordered_json::parse(r.out);
    const auto keys = [](const nlohmann::ordered_json& object) {
        std::vector<std::string> names;
        for (const auto& item : object.items()) names.push_back(item.key());
        return names;
    };
    using Names = std::vector<std::string>;
    EXPECT_EQ(keys(json), (Names{"settings", "report", "teams", "members"}));
    EXPECT_EQ(keys(json["settings"]),
              (Names{"name", "date", "password", "maxBet", "rate", "over", "winPoints", "drawPoints", "losePoints",
                     "tournamentWinPoints", "bonus1", "bonus2", "bonus3", "qualifyBonus"}));
    EXPECT_EQ(keys(json["report"]),
              (Names{"editor", "head", "foot", "backgroundImage", "topImage", "leftImage", "rightImage"}));
    EXPECT_EQ(keys(json["teams"][0]),
              (Names{"name", "group", "date", "symbol", "out", "qualify", "wins", "draws", "losses", "tournamentWins",
                     "goalDiff", "points", "played", "bonus", "rank", "popularity"}));
    EXPECT_EQ(keys(json["members"][0]), (Names{"name", "symbol", "date", "votes", "score", "rank"}));

    EXPECT_EQ(json["settings"]["name"], "小さな大会");
    EXPECT_EQ(json["settings"]["maxBet"], 10);
    EXPECT_EQ(json["report"]["head"], "一行目\r\n二行目");
    EXPECT_EQ(json["report"]["topImage"], "top.png");
    EXPECT_EQ(json["teams"][0]["name"], "ブラジル");
    EXPECT_EQ(json["teams"][1]["goalDiff"], -2);
    EXPECT_EQ(json["teams"][1]["out"], 1);
    EXPECT_EQ(json["teams"][0]["popularity"], 10);
    EXPECT_EQ(json["members"][0]["votes"], (Names{"ブラジル", "ドイツ"}));
    EXPECT_EQ(json["members"][0]["score"], 747);
    EXPECT_EQ(json["members"][1]["name"], "\xEF\xBF\xBD x");
    EXPECT_TRUE(json["members"][1]["votes"].empty());
}

// The game as HTML出力 writes it: a new load, scoring and rank order, the
// dialog's values stored into the game, scoring again.
Game gameAsWritten(const std::string& path, ReportSettings values) {
    Game g;
    g.settings.name.clear();
    loadGame(g, path, ReadAll);
    computeStandings(g);
    sortTeams(g, TeamSortKey::rank);
    sortMembers(g, MemberSortKey::rank);
    computeStandings(g);
    g.settings.name = values.title;
    g.report = values;
    return g;
}

std::string expectedPage(const std::string& path, ReportSettings values) {
    const Game g = gameAsWritten(path, values);
    return htmlReportBytes(g, g.report);
}

TEST_F(SvltoolTest, ReportEqualsTheCorePageForTheDialogValues) {
    const Game small = smallGame();
    const std::string svl = save(small);
    const std::string page = dir / "page.html";

    ReportSettings filled = small.report;  // as the dialog opens
    filled.title = small.settings.name;
    filled.date = small.settings.date;
    filled.memberRange = 2;
    filled.teamRange = 2;
    ASSERT_EQ(runTool({"report", svl, "-o", page}).status, 0);
    EXPECT_EQ(readFile(page), expectedPage(svl, filled));

    ReportSettings given = filled;
    given.title = sj("最終結果");
    given.date = sj("７月１日");
    given.editor = sj("事務局～");
    given.memberRange = 1;
    given.teamRange = 0;
    given.memberDetails = 1;
    const RunResult r = runTool({"report", svl, "-o", page, "--title", "最終結果", "--date", "７月１日", "--editor",
                                 "事務局〜", "--member-range", "1", "--team-range", "0", "--details"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFile(page), expectedPage(svl, given));

    RandomGames random(11);
    for (int i = 0; i < 4; ++i) {
        Game g = random.game(12, 12);
        if (g.settings.name.empty()) g.settings.name = "t";
        const std::string path = save(g, "random.svl");
        ReportSettings values = g.report;
        values.title = g.settings.name;
        values.date = g.settings.date;
        values.memberRange = 0;
        values.teamRange = 1;
        values.memberDetails = 1;
        values.teamDetails = 0;
        ASSERT_EQ(runTool({"report", path, "-o", page, "--member-range", "0", "--team-range", "1", "--details"}).status, 0);
        EXPECT_EQ(readFile(page), expectedPage(path, values)) << "random game " << i;
    }
}

// svltool page: the members' page of the same values, and its picture.
TEST_F(SvltoolTest, PageEqualsTheCoreMembersPage) {
    const Game small = smallGame();
    const std::string svl = save(small);
    const std::string page = dir / "page.html";
    const std::string picture = dir / "top.svg";
    const RunResult r = runTool({"page", svl, "-o", page, "--image", picture, "--title", "最終結果", "--member-range", "0"});
    ASSERT_EQ(r.status, 0) << r.err;

    ReportSettings values = small.report;  // as the dialog opens, then the options
    values.title = sj("最終結果");
    values.date = small.settings.date;
    values.memberRange = 0;
    const Game g = gameAsWritten(svl, values);
    EXPECT_EQ(readFile(page), phonePageBytes(g, g.report));
    EXPECT_EQ(readFile(picture), standingsPictureSvg(g, g.report));

    std::filesystem::remove(picture);
    ASSERT_EQ(runTool({"page", svl, "-o", page}).status, 0);
    EXPECT_FALSE(std::filesystem::exists(picture));
}

TEST_F(SvltoolTest, GameWithoutTitleIsNeitherReportedNorEncoded) {
    Game g = smallGame();
    g.settings.name.clear();
    const std::string svl = save(g);
    const std::string out = dir / "out";
    const std::vector<std::vector<std::string>> cases{
        {"report", svl, "-o", out}, {"report", svl, "-o", out, "--title", "x"}, {"encode", svl, "-o", out},
        {"page", svl, "-o", out}};
    for (const auto& args : cases) {
        const RunResult r = runTool(args);
        EXPECT_EQ(r.status, 1) << ::testing::PrintToString(args);
        EXPECT_NE(r.err.find("no title"), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

TEST_F(SvltoolTest, BadOrUnreadableFileEndsWithOneLineAndStatus1) {
    const std::string garbage = dir / "garbage.svl";
    constexpr char kGarbage[] = "\x00\x01\xff\xfe[T_NAME]x\n[ALL_END]\r\n";
    writeFile(garbage, std::string(kGarbage, sizeof kGarbage - 1));
    const std::string empty = dir / "empty.svl";
    writeFile(empty, "");
    // Files without a game: a note, a picture's bytes, lines that look scrambled.
    const std::string text = dir / "notes.svl";
    writeFile(text, "meeting notes\r\n[agenda] results\r\n");
    const std::string binary = dir / "picture.svl";
    std::string bytes;
    for (int i = 0; i < 4096; ++i) bytes += static_cast<char>((i * 37) & 0xFF);
    writeFile(binary, bytes);
    const std::string scrambled = dir / "scrambled.svl";
    writeFile(scrambled, scrambleLine("[T_NAME]A") + "\r\n" + scrambleLine("[T_END]") + "\r\n" +
                             scrambleLine("nothing of a game") + "\r\n");
    const std::string out = dir / "out.html";
    const std::string matches = openfootball("worldcup2002.json");
    const std::vector<std::vector<std::string>> commands{
        {"decode"}, {"encode"}, {"standings"}, {"standings", "--json"}, {"report", "-o", out},
        {"page", "-o", out}, {"import-results", matches, "-o", out}};
    for (const std::string& input : {dir / "missing.svl", dir.path().string(), garbage, empty, text, binary, scrambled}) {
        const bool noGame = input == garbage || input == empty || input == text || input == binary || input == scrambled;
        for (auto args : commands) {
            args.insert(args.begin() + 1, input);
            const RunResult r = runTool(args);
            EXPECT_EQ(r.status, 1) << args[0] << " " << input;
            EXPECT_EQ(r.out, "");
            EXPECT_EQ(r.err.rfind("svltool: " + input + ": ", 0), 0u) << r.err;
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
            if (noGame) EXPECT_EQ(r.err, "svltool: " + input + ": not a Scorvale game file\n");
            EXPECT_FALSE(std::filesystem::exists(out));
        }
    }
}

// -o never replaces what a save may not: a FIFO, a device, a file of
// several names. The command ends with the path and the reason, and
// writes nothing. (Windows has no FIFO to make here.)
TEST_F(SvltoolTest, OutputThatASaveMayNotReplaceIsRefused) {
    const std::string svl = save(smallGame());
    const std::string linked = dir / "linked.out";
    writeFile(linked, "old");
    std::filesystem::create_hard_link(linked, dir / "second-name.out");
    const std::string csv = dir / "m.csv";
    writeFile(csv, "名前,1\n山田,ブラジル\n");
    struct Case {
        std::string out;
        std::string reason;
    };
    std::vector<Case> cases{{linked, "the file has 2 names (hard links); the others would keep the old contents"}};
#ifndef _WIN32
    const std::string fifo = dir / "fifo.out";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    cases.push_back({fifo, "not a regular file (a FIFO)"});
#endif
    for (const auto& c : cases)
        for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
                 {"decode", svl}, {"encode", svl}, {"report", svl}, {"import-members", svl, csv}}) {
            std::vector<std::string> a = args;
            a.insert(a.end(), {"-o", c.out});
            const RunResult r = runTool(a);
            EXPECT_EQ(r.status, 1) << args[0] << " " << c.out;
            const std::string refusal = "svltool: " + c.out + ": " + c.reason + "\n";
            // import-members first says how it read the file.
            if (args[0] == "import-members")
                EXPECT_TRUE(r.err.ends_with("\n" + refusal)) << r.err;
            else
                EXPECT_EQ(r.err, refusal) << args[0];
        }
    EXPECT_EQ(readFile(linked), "old");
#ifndef _WIN32
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
#endif
    // The game, the CSV, the link's second name and each refused output.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3 + std::ssize(cases))
        << "nothing beside the files made";
}

TEST_F(SvltoolTest, UnwritableOutputEndsWithStatus1) {
    const std::string svl = save(smallGame());
    for (const std::string& out : {dir / "no/such/folder.out", dir.path().string()}) {
        for (const std::string command : {"decode", "encode", "report", "page"}) {
            const RunResult r = runTool({command, svl, "-o", out});
            EXPECT_EQ(r.status, 1) << command << " " << out;
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        }
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "only the game file";
}

TEST_F(SvltoolTest, WrongUsageIsStatus2AndWritesNothing) {
    const std::string svl = save(smallGame());
    const std::string out = dir / "out";
    const std::string matches = openfootball("worldcup2002.json");
    const std::vector<std::vector<std::string>> cases{
        {},
        {"frobnicate", svl},
        {"decode"},
        {"decode", svl, "--bogus"},
        {"standings", svl, "--json", "--tsv"},
        {"standings", svl, "--csv", "--json"},
        {"standings", svl, "--csv", "--tsv"},
        {"standings", svl, "--team-key", "abc"},
        {"report", svl},
        {"report", svl, "-o", out, "--member-range", "3"},
        {"report", svl, "-o", out, "--team-range", "-1"},
        {"report", svl, "-o", out, "--title", "絵文字😀"},
        {"report", svl, "-o", out, "--editor", "\xff"},
        {"page", svl},
        {"page", svl, "-o", out, "--details"},
        {"page", svl, "-o", out, "--image"},
        {"page", svl, "-o", out, "--title", "絵文字😀"},
        {"import-results", svl, "-o", out},
        {"import-results", svl, matches},
        {"import-results", svl, matches, "-o", out, "--names"},
        {"import-results", svl, matches, "-o", out, "--bogus"},
        {"history"},
        {"history", svl, "-o", out},
        {"history", svl, "--clear"},
    };
    for (const auto& args : cases) {
        const RunResult r = runTool(args);
        EXPECT_EQ(r.status, 2) << ::testing::PrintToString(args) << r.err;
        EXPECT_FALSE(r.err.empty());
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

// The example was built from the same facts as the public list: read into
// itself, in place, it changes nothing of the game but its date, and records
// the teams' results on each of the list's 25 match days after the game.
TEST_F(SvltoolTest, ImportResultsOfTheExampleListChangesOnlyTheGameDate) {
    const std::string game = dir / "wc.svl";
    writeFile(game, readFile(kExample));
    const std::string dayBefore = todayText();
    const RunResult r = runTool({"import-results", game, openfootball("worldcup2002.json"), "-o", game});
    const std::string dayAfter = todayText();
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "") << "no team added, none missing from the list";

    const std::vector<std::string> before = lines(runTool({"decode", kExample}).out);
    const std::vector<std::string> after = lines(runTool({"decode", game}).out);
    // The page choice, then 25 days of a line for the date, the ranking, the
    // 32 teams and the end.
    ASSERT_EQ(after.size(), before.size() + 2 + 25 * (3 + 32));
    EXPECT_EQ(after[before.size()], "[P_PAGE]0\r");
    EXPECT_EQ(after[before.size() + 2], "[H_DAY]02/05/31\r");
    EXPECT_EQ(after.back(), "[H_END]32\r");
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i].starts_with("[G_DATE]"))
            EXPECT_TRUE(after[i] == "[G_DATE]" + dayBefore + "\r" || after[i] == "[G_DATE]" + dayAfter + "\r")
                << after[i];
        else
            EXPECT_EQ(after[i], before[i]) << "line " << i + 1;
    }
}

// The history as a table, and the game without it: the bytes a game that
// never had one writes.
TEST_F(SvltoolTest, HistoryListsAndClears) {
    Game game = smallGame();
    const std::string without = save(game, "without.svl");
    HistoryDay first = currentResults(game, "02/06/25");
    first.teams[0].wins = 0;
    game.history.setDay(first);
    HistoryDay last = currentResults(game, "02/06/30");
    last.rankingFixed = true;
    game.history.setDay(last);
    game.page.kind = PageChoice::Kind::phone;
    const std::string with = save(game, "with.svl");

    const std::string header = "date\tfixed\tteam\twins\tdraws\tlosses\ttournamentWins\tgoalDiff\tqualify\tout\n";
    const RunResult listed = runTool({"history", with});
    ASSERT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(listed.out, header +
              "02/06/25\t0\tドイツ\t0\t0\t1\t0\t-2\t1\t1\n"
              "02/06/25\t0\tブラジル\t3\t0\t0\t1\t8\t1\t0\n"
              "02/06/30\t1\tドイツ\t1\t0\t1\t0\t-2\t1\t1\n"
              "02/06/30\t1\tブラジル\t3\t0\t0\t1\t8\t1\t0\n");
    EXPECT_EQ(runTool({"history", without}).out, header);

    // Cleared in place; the page choice stays.
    const RunResult cleared = runTool({"history", with, "--clear", "-o", with});
    ASSERT_EQ(cleared.status, 0) << cleared.err;
    Game expected = smallGame();
    expected.page.kind = PageChoice::Kind::phone;
    EXPECT_EQ(readFile(with), gameFileBytes(expected));
    const RunResult again = runTool({"history", without, "--clear", "-o", dir / "same.svl"});
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(readFile(dir / "same.svl"), readFile(without));
}

TEST_F(SvltoolTest, ImportResultsIntoAGameWithoutTeamsAddsTheExampleTeams) {
    Game empty;
    empty.settings.name = "cup";
    const std::string game = save(empty);
    const std::string out = dir / "out.svl";
    const RunResult r = runTool({"import-results", game, openfootball("worldcup2002.json"), "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> reported = lines(r.err);
    ASSERT_EQ(reported.size(), 32u) << r.err;
    EXPECT_EQ(reported.front(), "svltool: added \"フランス\" for \"France\"");
    for (const std::string& line : reported) EXPECT_TRUE(line.starts_with("svltool: added \"")) << line;

    std::vector<std::string> made = resultFields(loaded(out)), example = resultFields(loaded(kExample));
    std::sort(made.begin(), made.end());
    std::sort(example.begin(), example.end());
    EXPECT_EQ(made, example);
}

// Another year's list: the teams it shares with the game get its results,
// the others are added after them, and both kinds of report line appear,
// the added teams first.
TEST_F(SvltoolTest, ImportResultsReportsAddedTeamsAndTeamsNotInTheList) {
    const std::string out = dir / "2014.svl";
    const RunResult r = runTool({"import-results", kExample, openfootball("worldcup2014.json"), "--output", out});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> reported = lines(r.err);
    ASSERT_EQ(reported.size(), 24u) << r.err;
    EXPECT_EQ(reported[5], "svltool: added \"コートジボワール\" for \"Côte d'Ivoire\"");
    EXPECT_EQ(reported[11], "svltool: added \"アルジェリア\" for \"Algeria\"");
    EXPECT_EQ(reported[12], "svltool: \"トルコ\" is not in the list; left as it was");

    const Game before = loaded(kExample);
    const Game after = loaded(out);
    ASSERT_EQ(after.teamCount(), 44);
    EXPECT_EQ(after.members(), before.members());
    const auto team = [](const Game& g, const char* name) { return g.teamAt(g.findTeamByName(sj(name))); };
    EXPECT_EQ(team(after, "トルコ"), team(before, "トルコ"));
    EXPECT_EQ(resultFields(team(after, "ドイツ")), "ドイツ w2 d1 l0 gd5 tw4 q1 out0 [G] 14/07/13");
    EXPECT_EQ(resultFields(after.teamAt(37)), "コートジボワール w1 d0 l2 gd-1 tw0 q0 out1 [C] 14/06/26");
}

// A spreadsheet's CSV in Shift-JIS with CR LF, a names file for a club, and
// the knockout goals counted or not.
TEST_F(SvltoolTest, ImportResultsReadsACsvWithANamesFile) {
    const std::string game = save(smallGame());
    const std::string csv = dir / "results.csv";
    writeFile(csv, crlf(sj("group,team1,team2,score1,score2,date\n"
                           "E,Germany,Urawa,3,1,2002/06/01\n"
                           ",ﾌﾞﾗｼﾞﾙ,Germany,3,2,2002/06/30\n")));
    const std::string names = dir / "names.tsv";
    writeFile(names, "# list\tgame\nUrawa\t浦和レッズ\n");
    const std::string out = dir / "out.svl";
    struct Case {
        bool knockoutGoals;
        const char* germany;
        const char* brazil;
    };
    for (const Case& c : {Case{false, "ドイツ w1 d0 l0 gd2 tw0 q1 out1 [E] 02/06/30",
                               "ブラジル w0 d0 l0 gd0 tw1 q1 out0 [C] 02/06/30"},
                          Case{true, "ドイツ w1 d0 l0 gd1 tw0 q1 out1 [E] 02/06/30",
                               "ブラジル w0 d0 l0 gd1 tw1 q1 out0 [C] 02/06/30"}}) {
        std::vector<std::string> args{"import-results", game, csv, "-o", out, "--names", names};
        if (c.knockoutGoals) args.push_back("--knockout-goals");
        const RunResult r = runTool(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "svltool: added \"浦和レッズ\" for \"Urawa\"\n");
        const Game g = loaded(out);
        // The club played in the groups only, and the knockout stage is set.
        EXPECT_EQ(resultFields(g),
                  (std::vector<std::string>{c.germany, c.brazil, "浦和レッズ w0 d0 l1 gd-2 tw0 q0 out1 [E] 02/06/01"}))
            << "knockout goals " << c.knockoutGoals;
        EXPECT_EQ(g.members(), smallGame().members());
    }
}

// What the reading took on trust is one line each on standard error, naming
// the list and the place; the game is written unless --strict.
TEST_F(SvltoolTest, ImportResultsReportsWhatItTookOnTrust) {
    const std::string game = save(smallGame());
    const std::string gameBytes = readFile(game);
    const std::string csv = dir / "halfway.csv";
    writeFile(csv,
              "date,group,team1,team2,score1,score2\n"
              "2002-06-01,E,Germany,Saudi Arabia,8,0\n"
              "2002-06-03,,Brazil,Turkey,2,1\n"  // a group cell left empty
              "2002-06-05,E,Germany,Ireland,1,1\n"
              "2002-06-20,,Germany,Vainqueur C,,\n");
    const std::string out = dir / "out.svl";
    const RunResult r = runTool({"import-results", game, csv, "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> reported = lines(r.err);
    ASSERT_GE(reported.size(), 2u) << r.err;
    EXPECT_EQ(reported[0].rfind("svltool: " + csv + ": line 3: its group is empty, but group matches are played "
                                "before and after it (by date): counted as a group match",
                                0),
              0u)
        << reported[0];
    EXPECT_EQ(reported[1].rfind("svltool: " + csv + ": team \"Vainqueur C\": no team of the game", 0), 0u)
        << reported[1];
    const Game after = loaded(out);
    EXPECT_EQ(resultFields(after.teamAt(after.findTeamByName(sj("ブラジル")))),
              "ブラジル w1 d0 l0 gd1 tw0 q0 out0 [C] 02/06/03");
    EXPECT_EQ(after.findTeamByName(sj("Vainqueur C")), -1);

    std::filesystem::remove(out);
    const RunResult strict = runTool({"import-results", game, csv, "-o", out, "--strict"});
    EXPECT_EQ(strict.status, 1);
    EXPECT_EQ(lines(strict.err).size(), 3u) << strict.err;
    EXPECT_EQ(lines(strict.err).back(), "svltool: " + csv + ": 2 problems with --strict; nothing is written");
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(readFile(game), gameBytes);
}

// Every bad input ends with one line naming the file and the place, status
// 1, and neither the output nor the game is written.
TEST_F(SvltoolTest, ImportResultsErrorsNameTheFileAndThePlace) {
    const std::string game = save(smallGame());
    const std::string gameBytes = readFile(game);
    Game untitledGame = smallGame();
    untitledGame.settings.name.clear();
    const std::string untitled = save(untitledGame, "untitled.svl");
    const std::string list = openfootball("worldcup2002.json");
    const auto file = [&](const std::string& name, const std::string& bytes) {
        writeFile(dir / name, bytes);
        return dir / name;
    };
    const std::string header = "team1,team2,score1,score2,group\n";
    const std::string goodNames = file("names.tsv", "Urawa\t浦和\n");
    const std::string out = dir / "out.svl";
    struct Case {
        std::string matches;
        std::string names;  // empty: no --names
        std::string game;
        std::string output;
        std::string named;    // the file the message names
        std::string message;  // what follows the file's name
    };
    const auto csv = [&](const char* name, const std::string& rows) { return file(name, header + rows); };
    const std::string notJson = file("a.json", "{\"matches\": [oops");
    const std::string badMatch = file("b.json", R"({"matches": [
        {"round": "1", "team1": "A", "team2": "B", "score": {"ft": [1, 0]}},
        {"round": "1", "team1": "A", "team2": "C", "score": {"ft": [1]}}]})");
    const std::string noList = file("letter.txt", "Dear all,\nsee you.\n");
    const std::string noColumn = file("c.csv", "team1,team2,score1\nA,B,1\n");
    const std::string badScore = csv("d.csv", "A,B,1,0,A\nA,C,x,1,A\n");
    const std::string levelKnockout = csv("e.csv", "A,B,1,1,\n");
    const std::string twoLegs = csv("legs.csv", "A,B,1,0,\nB,A,2,0,\n");
    const std::string greek = csv("f.csv", "Japan,Ελλάς,1,0,A\n");
    const std::string badNames = file("bad.tsv", "Urawa\t浦和\nKashima\n");
    const std::string missing = dir / "missing.json";
    const Case cases[] = {
        {notJson, "", game, out, notJson, "line 1: not valid JSON"},
        {badMatch, "", game, out, badMatch, "match 2: score ft is not two whole numbers"},
        {noList, "", game, out, noList, "neither a JSON match list nor a CSV"},
        {noColumn, "", game, out, noColumn, "line 1: the column score2 is missing"},
        {badScore, "", game, out, badScore, "line 3: score1 \"x\" is not a number"},
        {levelKnockout, "", game, out, levelKnockout, "line 2: the knockout match ends level"},
        {twoLegs, "", game, out, twoLegs, "line 3: \"B\" lost the knockout match of line 2 and plays again"},
        {greek, "", game, out, greek, "team \"Ελλάς\": the name \"Ελλάς\" has a character Shift-JIS cannot hold"},
        {missing, "", game, out, missing, ""},
        {list, missing, game, out, missing, ""},
        {list, badNames, game, out, badNames, "line 2: expected two names separated by one tab"},
        {list, goodNames, untitled, out, untitled, "the game has no title; nothing is written"},
        {list, goodNames, dir / "missing.svl", out, dir / "missing.svl", ""},
        {list, goodNames, game, dir / "no/such/folder.svl", dir / "no/such/folder.svl", ""},
        // In place: the game stays as it was.
        {badScore, "", game, game, badScore, "line 3:"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"import-results", c.game, c.matches, "-o", c.output};
        if (!c.names.empty()) args.insert(args.end(), {"--names", c.names});
        const RunResult r = runTool(args);
        EXPECT_EQ(r.status, 1) << ::testing::PrintToString(args);
        EXPECT_EQ(r.err.rfind("svltool: " + c.named + ": " + c.message, 0), 0u) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_FALSE(std::filesystem::exists(out)) << r.err;
        EXPECT_EQ(readFile(game), gameBytes) << r.err;
    }
}

TEST_F(SvltoolTest, HelpForTheToolAndEachCommand) {
    for (const std::string command : {"", "decode", "encode", "standings", "report", "import-results"}) {
        std::vector<std::string> args{"--help"};
        if (!command.empty()) args.insert(args.begin(), command);
        const RunResult r = runTool(args);
        EXPECT_EQ(r.status, 0) << command;
        EXPECT_NE(r.out.find("Usage: svltool " + command), std::string::npos) << r.out;
    }
}

}  // namespace
}  // namespace scorvale::testing
