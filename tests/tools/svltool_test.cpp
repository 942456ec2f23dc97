#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "gamefile/game_file.h"
#include "report/html_report.h"
#include "scoring/ordering.h"
#include "scoring/standings.h"
#include "tests/support/random_game.h"
#include "tests/tools/run_tool.h"
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

// The page the program writes: a new load, scoring and rank order, the
// dialog's values stored into the game, scoring again, the page.
std::string expectedPage(const std::string& path, ReportSettings values) {
    Game g;
    g.settings.name.clear();
    loadGame(g, path, ReadAll);
    computeStandings(g);
    sortTeams(g, TeamSortKey::rank);
    sortMembers(g, MemberSortKey::rank);
    computeStandings(g);
    g.settings.name = values.title;
    g.report = values;
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

TEST_F(SvltoolTest, GameWithoutTitleIsNeitherReportedNorEncoded) {
    Game g = smallGame();
    g.settings.name.clear();
    const std::string svl = save(g);
    const std::string out = dir / "out";
    const std::vector<std::vector<std::string>> cases{
        {"report", svl, "-o", out}, {"report", svl, "-o", out, "--title", "x"}, {"encode", svl, "-o", out}};
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
    const std::string out = dir / "out.html";
    const std::vector<std::vector<std::string>> commands{
        {"decode"}, {"encode"}, {"standings"}, {"standings", "--json"}, {"report", "-o", out}};
    for (const std::string& input : {dir / "missing.svl", dir.path().string(), garbage, empty}) {
        for (auto args : commands) {
            args.insert(args.begin() + 1, input);
            const RunResult r = runTool(args);
            EXPECT_EQ(r.status, 1) << args[0] << " " << input;
            EXPECT_EQ(r.out, "");
            EXPECT_EQ(r.err.rfind("svltool: " + input + ": ", 0), 0u) << r.err;
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
            EXPECT_FALSE(std::filesystem::exists(out));
        }
    }
}

TEST_F(SvltoolTest, UnwritableOutputEndsWithStatus1) {
    const std::string svl = save(smallGame());
    for (const std::string& out : {dir / "no/such/folder.out", dir.path().string()}) {
        for (const std::string command : {"decode", "encode", "report"}) {
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
    const std::vector<std::vector<std::string>> cases{
        {},
        {"frobnicate", svl},
        {"decode"},
        {"decode", svl, "--bogus"},
        {"standings", svl, "--json", "--tsv"},
        {"standings", svl, "--team-key", "abc"},
        {"report", svl},
        {"report", svl, "-o", out, "--member-range", "3"},
        {"report", svl, "-o", out, "--team-range", "-1"},
        {"report", svl, "-o", out, "--title", "絵文字😀"},
        {"report", svl, "-o", out, "--editor", "\xff"},
    };
    for (const auto& args : cases) {
        const RunResult r = runTool(args);
        EXPECT_EQ(r.status, 2) << ::testing::PrintToString(args) << r.err;
        EXPECT_FALSE(r.err.empty());
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

TEST_F(SvltoolTest, HelpForTheToolAndEachCommand) {
    for (const std::string command : {"", "decode", "encode", "standings", "report"}) {
        std::vector<std::string> args{"--help"};
        if (!command.empty()) args.insert(args.begin(), command);
        const RunResult r = runTool(args);
        EXPECT_EQ(r.status, 0) << command;
        EXPECT_NE(r.out.find("Usage: svltool " + command), std::string::npos) << r.out;
    }
}

}  // namespace
}  // namespace scorvale::testing
