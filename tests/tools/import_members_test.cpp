// svltool import-members driven as a program: what it writes, what it says
// on standard error, and its status on every kind of failure.
#include <filesystem>
#include <numeric>
#include <gtest/gtest.h>

#include "gamefile/game_file.h"
#include "model/today_text.h"
#include "tests/tools/run_tool.h"
#include "text/sjis_codec.h"

namespace scorvale::testing {
namespace {

const std::string kFixtures = std::string(SOURCE_ROOT) + "/tests/fixtures/members/";

// The members from index `first` on as "name|date|vote,vote", in UTF-8.
std::vector<std::string> membersOf(const std::string& path, int first) {
    Game game;
    game.settings.name.clear();
    loadGame(game, path, ReadAll);
    std::vector<std::string> out;
    for (int k = first; k < game.memberCount(); ++k) {
        const Member& m = game.memberAt(k);
        std::string text = sjis::toUtf8(m.name.view()) + "|" + m.date.str() + "|";
        for (int v = 0; v < m.voteCount(); ++v) text += (v > 0 ? "," : "") + sjis::toUtf8(m.vote(v));
        out.push_back(text);
    }
    return out;
}

class ImportMembersTest : public ::testing::Test {
protected:
    ImportMembersTest() { writeFile(game, readFile(kExampleGame)); }
    ScratchDir dir;
    const std::string game = dir / "game.svl";
    const std::string out = dir / "out.svl";
};

const std::vector<std::string> kFormColumns{"--date-column", "1", "--name-column", "2", "--vote-columns", "3-7"};

std::vector<std::string> args(std::vector<std::string> head, const std::vector<std::string>& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

TEST_F(ImportMembersTest, WritesTheGameInPlaceAndReportsEachProblem) {
    const std::string form = kFixtures + "form.csv";
    const RunResult r = runTool(args({"import-members", game, form, "-o", game}, kFormColumns));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err,
              form + ": UTF-8, as its byte order mark says; fields separated by commas (found in the file)\n" +
              form + ": header on line 1; name: column 2 \"お名前\"; picks: columns 3-7; date: column 1 "
                     "\"タイムスタンプ\"; not imported: column 8 \"ひとこと\" (comments)\n"
                     "line 5, column 6: \"Atlantis\" matches no team; kept as written\n"
                     "line 6, column 4: empty vote cell; skipped, the later picks move up\n"
                     "line 7, column 2: \"山本 拓也\" is a member already; row skipped\n"
                     "line 8, column 2: \"佐々木, 花子\" is on line 2 already; row skipped\n" +
              form + ": \"Atlantis\" (1 pick) matches no team; kept as written\n");
    EXPECT_EQ(membersOf(game, 12), (std::vector<std::string>{
                                       "佐々木, 花子|26/06/01|ブラジル,ドイツ,日本,韓国,フランス",
                                       "大野 \"ゴン\" 一郎|26/06/01|日本,ブラジル,ドイツ,アメリカ,イングランド",
                                       "岡田　武史|26/06/02|日本,セネガル,トルコ,Atlantis",
                                       "石井, 智|26/06/03|スペイン,イタリア,フランス,アルゼンチン",
                                   }));
    // Written as the program saves: scrambled, and read back whole by the loader.
    EXPECT_EQ(runTool({"encode", game}).out, readFile(game));
    EXPECT_NE(runTool({"decode", game}).out.find("[G_DATE]" + todayText() + "\r\n"), std::string::npos);

    // The columns given are the columns guessed: the same without them.
    writeFile(game, readFile(kExampleGame));
    const RunResult guessed = runTool({"import-members", game, form, "-o", out});
    ASSERT_EQ(guessed.status, 0) << guessed.err;
    EXPECT_EQ(guessed.err, r.err);
    EXPECT_EQ(membersOf(out, 12).size(), 4u);
}

// A form's export with e-mail addresses, comments and spellings no team
// matches: the columns guessed, the spellings named with the team they may
// be, then mapped by a names file.
TEST_F(ImportMembersTest, GuessesTheColumnsAndMapsSpellingsWithANamesFile) {
    const std::string pool = kFixtures + "exports/pool34.csv";
    RunResult r = runTool({"import-members", game, pool, "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find(pool + ": header on line 1; name: column 3 \"お名前\"; picks: columns 4-8; date: column 1 "
                                "\"タイムスタンプ\"; not imported: columns 2 \"メールアドレス\" (e-mail addresses), 9 "
                                "\"ひとこと\" (comments)\n"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find(pool + ": \"サウジ\" (11 picks) matches no team; kept as written; it may be "
                                "\"サウジアラビア\"\n"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(membersOf(out, 12).size(), 33u);
    EXPECT_EQ(r.err.find("@example.jp"), std::string::npos) << "no address is a name";

    const std::string names = dir / "names.tsv";
    writeFile(names, "# spelling in the form\tteam of the game\nサウジ\tサウジアラビア\nアルゼンチソ\tアルゼンチン\n"
                     "イングラント\tEngland\n");
    r = runTool({"import-members", game, pool, "-o", out, "--names", names, "--strict", "--replace"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err.find("matches no team"), std::string::npos) << r.err;
    const auto members = membersOf(out, 0);
    const std::string all = std::accumulate(members.begin(), members.end(), std::string());
    EXPECT_EQ(all.find("サウジ,"), std::string::npos);
    EXPECT_EQ(all.find("アルゼンチソ"), std::string::npos);
    EXPECT_NE(all.find("イングランド"), std::string::npos);
}

// A spreadsheet's "Unicode text" and a semicolon-separated file read with no
// option; the options still say otherwise when asked.
TEST_F(ImportMembersTest, EncodingAndSeparatorFoundOrGiven) {
    const std::string unicode = kFixtures + "exports/excel_unicode.txt";
    RunResult r = runTool({"import-members", game, unicode, "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.starts_with(unicode + ": UTF-16 (little-endian), as its byte order mark says; fields separated "
                                            "by tabs (found in the file)\n"))
        << r.err;
    EXPECT_EQ(membersOf(out, 12).front(), "鈴木 太郎|" + todayText() + "|ブラジル,ドイツ,日本");

    const std::string semicolons = kFixtures + "exports/semicolon.csv";
    r = runTool({"import-members", game, semicolons, "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(membersOf(out, 12).front(), "Mueller, Thomas|" + todayText() + "|ドイツ,ブラジル,スペイン");
    // Read at its commas, it has no picks: nobody is imported as a pick-less name.
    r = runTool({"import-members", game, semicolons, "-o", out, "--separator", "comma", "--vote-columns", "2-2"});
    EXPECT_NE(r.err.find("fields separated by commas\n"), std::string::npos) << r.err;

    // A UTF-8 export with one comment typed in CP932 stays UTF-8, and says so.
    const std::string mixed = kFixtures + "exports/utf8_with_cp932_comment.csv";
    r = runTool({"import-members", game, mixed, "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.starts_with(mixed + ": UTF-8, 64 characters are, 5 bytes are not; 1 cell not UTF-8, read as "
                                          "CP932: line 2, column 6; fields separated by commas (found in the file)\n"))
        << r.err;
    EXPECT_EQ(membersOf(out, 12).front(), "佐々木 花子|26/06/01|ブラジル,ドイツ,日本");
}

TEST_F(ImportMembersTest, ReplaceAndTheExcelExport) {
    RunResult r = runTool(args({"import-members", game, kFixtures + "form.csv", "-o", out, "--replace"}, kFormColumns));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err.find("山本"), std::string::npos) << "a member replaced on request is no problem";
    EXPECT_EQ(membersOf(out, 12).back(), "佐々木, 花子|26/06/04|日本,ブラジル,ドイツ,トルコ,スペイン");

    r = runTool({"import-members", out, kFixtures + "excel.csv", "-o", out, "--no-header"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("excel.csv: CP932 (Shift-JIS), 87 bytes are not UTF-8, only 14 characters are; "
                         "fields separated by commas (found in the file)\n"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("excel.csv: no header; name: column 1; picks: columns 2-6\n"
                         "line 4, column 2: \"ｱﾄﾗﾝﾃｨｽ\" matches no team; kept as written\n"),
              std::string::npos)
        << r.err;
    const auto members = membersOf(out, 16);
    ASSERT_EQ(members.size(), 4u);
    EXPECT_EQ(members[0], "中田 英寿|" + todayText() + "|日本,ブラジル,ドイツ,イタリア,アルゼンチン");

    // Forced to UTF-8, no CP932 name can be read: every row is reported, and
    // nothing imported is a failure that writes nothing.
    std::filesystem::remove(out);
    r = runTool({"import-members", game, kFixtures + "excel.csv", "-o", out, "--no-header", "--encoding", "utf-8",
                 "--vote-columns", "2-6"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 7) << r.err;
    EXPECT_TRUE(r.err.ends_with("excel.csv: nothing to import: none of its 4 rows can be imported\n")) << r.err;
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(ImportMembersTest, StrictRefusesAnyProblemAndWritesNothing) {
    RunResult r = runTool(args({"import-members", game, kFixtures + "form.csv", "-o", out, "--strict"}, kFormColumns));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("line 5, column 6: "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("svltool: " + kFixtures + "form.csv: 4 problems with --strict; nothing is written\n"),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(std::filesystem::exists(out));

    const std::string clean = dir / "clean.csv";
    writeFile(clean, "名前,1,2\r\n新人,Japan,Brazil\r\n");
    r = runTool({"import-members", game, clean, "-o", out, "--strict"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 2) << "how it was read, and nothing else: " << r.err;
    EXPECT_EQ(membersOf(out, 12), (std::vector<std::string>{"新人|" + todayText() + "|日本,ブラジル"}));
}

TEST_F(ImportMembersTest, FailuresEndWithAStatusAndWriteNothing) {
    const auto csv = [this](const std::string& name, const std::string& bytes) {
        writeFile(dir / name, bytes);
        return dir / name;
    };
    const std::string good = csv("good.csv", "名前,1\n山田,日本\n");
    const std::string notGame = csv("note.svl", "hello\r\n");
    const struct {
        std::vector<std::string> args;
        int status;
        std::string err;  // the message's end
    } cases[] = {
        {{game, dir / "missing.csv"}, 1, ""},
        {{notGame, good}, 1, "note.svl: not a Scorvale game file\n"},
        {{game, csv("quote.csv", "名前,1\n山田,日本\n\"鈴木,日本\n")}, 1,
         "quote.csv: line 3, column 1: a quoted field is not closed\n"},
        {{game, csv("empty.csv", "")}, 1, "empty.csv: the file is empty\n"},
        {{game, csv("header.csv", "名前,1,2\r\n")}, 1, "header.csv: line 1: only a header, no members\n"},
        {{game, good, "--name-column", "3"}, 1, "good.csv: column 3: beyond the file's 2 columns\n"},
        {{game, good, "--vote-columns", "2-9"}, 1, "good.csv: column 9: beyond the file's 2 columns\n"},
        {{game, good, "--vote-columns", "3-2"}, 2, ""},
        {{game, good, "--vote-columns", "2"}, 2, ""},
        {{game, good, "--vote-columns", "2-x"}, 2, ""},
        {{game, good, "--name-column", "2", "--vote-columns", "1-3"}, 2, "the vote columns hold the name column\n"},
        {{game, good, "--columns", "fixed", "--date-column", "1"}, 2, "the date column is the name column\n"},
        {{game, good, "--date-column", "1"}, 1,
         "good.csv: no column holds the members' names; name it with --name-column\n"},
        {{game, csv("known.csv", "名前,1\n山本 拓也,日本\n山本 拓也,日本\n")}, 1,
         "known.csv: nothing to import: none of its 2 rows can be imported\n"},
        {{game, good, "--names", dir / "missing.tsv"}, 1, ""},
        {{game, good, "--names", csv("names.tsv", "Nippon 日本\n")}, 1,
         "names.tsv: line 1: expected two names separated by one tab\n"},
        {{game, csv("wide.csv", "名前" + std::string(1000, ',') + "x\n")}, 1,
         "wide.csv: line 1, column 1001: more than 1000 columns; is it the right file?\n"},
        {{game, good, "--name-column", "0"}, 2, "--name-column: columns count from 1\nRun with --help for more information.\n"},
        {{game, good, "--header", "--no-header"}, 2, ""},
        {{game, good, "--separator", "pipe"}, 2, ""},
        {{game, good, "--columns", "some"}, 2, ""},
        {{game, good, "--encoding", "latin1"}, 2, ""},
        {{game, good, "--bogus"}, 2, ""},
        {{game}, 2, ""},
    };
    for (const auto& c : cases) {
        std::vector<std::string> a{"import-members"};
        a.insert(a.end(), c.args.begin(), c.args.end());
        a.insert(a.end(), {"-o", out});
        const RunResult r = runTool(a);
        EXPECT_EQ(r.status, c.status) << ::testing::PrintToString(a) << r.err;
        EXPECT_FALSE(r.err.empty());
        EXPECT_TRUE(r.err.ends_with(c.err)) << r.err;
        EXPECT_FALSE(std::filesystem::exists(out)) << ::testing::PrintToString(a);
    }
    EXPECT_EQ(runTool({"import-members", game, good}).status, 2) << "-o is required";
    EXPECT_EQ(readFile(game), readFile(kExampleGame));
}

TEST_F(ImportMembersTest, Help) {
    const RunResult r = runTool({"import-members", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Usage: svltool import-members [OPTIONS] GAME CSV"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace scorvale::testing
