#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gamefile/game_file.h"
#include "gamefile/safe_file.h"
#include "imports/form_date.h"
#include "imports/member_columns.h"
#include "imports/member_import.h"
#include "tests/imports/member_test_games.h"
#include "tests/imports/print_problems.h"
#include "text/sjis_codec.h"

namespace scorvale::imports {
namespace {

using Kind = MemberProblem::Kind;
using Action = PlannedRow::Action;

using testing::exampleGame;
using testing::kToday;
using testing::memberText;

std::string sj(std::string_view utf8) { return sjis::fromUtf8(utf8).value(); }

std::vector<std::string> membersFrom(const Game& game, int first) {
    std::vector<std::string> out;
    for (int k = first; k < game.memberCount(); ++k) out.push_back(memberText(game.memberAt(k)));
    return out;
}

// Every problem of the plan as svltool prints it.
std::vector<std::string> problemLines(const MemberImportPlan& plan) {
    std::vector<std::string> out;
    for (const PlannedRow& row : plan.rows)
        for (const MemberProblem& p : row.problems)
            out.push_back(std::to_string(p.line) + "," + std::to_string(p.column) + ": " + describe(p));
    return out;
}

std::string fixture(const char* name) {
    return readWholeFile(std::string(SCORVALE_SOURCE_DIR "/tests/fixtures/members/") + name);
}

MemberImportOptions formOptions(bool replace) {
    MemberImportOptions options;
    options.dateColumn = 1;
    options.nameColumn = 2;
    options.firstVoteColumn = 3;
    options.lastVoteColumn = 7;
    options.replace = replace;
    return options;
}

// A form's export: UTF-8 with a BOM, CR LF, the timestamp first, quoted
// names with commas and quotes, a comment column with a line break after
// the picks, a member of the game and a name given twice.
TEST(MemberImport, FormExportIntoTheExample) {
    Game game = exampleGame();
    const Game before = game;
    ASSERT_EQ(game.memberCount(), 12);
    const MemberImportPlan plan = prepareMemberImport(fixture("form.csv"), formOptions(false), game, kToday);
    TeamMatcher matcher(game);
    const MemberImportOptions suggested =
        chooseMemberColumns(guessMemberColumns(readMembersFile(fixture("form.csv")), matcher), {});
    EXPECT_EQ(suggested, formOptions(false)) << "the comment column after the picks is no pick";
    EXPECT_EQ(plan.toAdd, 4u);
    EXPECT_EQ(plan.toReplace, 0u);
    EXPECT_EQ(plan.toSkip, 2u);
    EXPECT_EQ(problemLines(plan), (std::vector<std::string>{
                                      "5,6: \"Atlantis\" matches no team; kept as written",
                                      "6,4: empty vote cell; skipped, the later picks move up",
                                      "7,2: \"山本 拓也\" is a member already; row skipped",
                                      "8,2: \"佐々木, 花子\" is on line 2 already; row skipped",
                                  }));

    const MemberImportResult result = applyMemberImport(game, plan, kToday);
    EXPECT_EQ(result.added, 4u);
    EXPECT_EQ(result.replaced, 0u);
    EXPECT_EQ(membersFrom(game, 12), (std::vector<std::string>{
                                         "佐々木, 花子|26/06/01|ブラジル,ドイツ,日本,韓国,フランス",
                                         "大野 \"ゴン\" 一郎|26/06/01|日本,ブラジル,ドイツ,アメリカ,イングランド",
                                         "岡田　武史|26/06/02|日本,セネガル,トルコ,Atlantis",
                                         "石井, 智|26/06/03|スペイン,イタリア,フランス,アルゼンチン",
                                     }));
    for (int k = 0; k < 12; ++k) EXPECT_EQ(game.memberAt(k), before.memberAt(k)) << k;
    EXPECT_EQ(game.settings.date, kToday);
    EXPECT_EQ(game.teams(), before.teams());

    // What the import made, a save and a load give back.
    Game loaded;
    loaded.settings.name.clear();
    loadGameBytes(loaded, gameFileBytes(game), ReadAll);
    EXPECT_EQ(loaded.members(), game.members());
}

TEST(MemberImport, FormExportWithReplace) {
    Game game = exampleGame();
    const int yamamoto = game.findMemberByName(sj("山本 拓也"));
    ASSERT_GE(yamamoto, 0);
    game.memberAt(yamamoto).symbol = "yamamoto.png";
    const MemberImportPlan plan = prepareMemberImport(fixture("form.csv"), formOptions(true), game, kToday);
    EXPECT_EQ(plan.toAdd, 4u);
    EXPECT_EQ(plan.toReplace, 1u);
    EXPECT_EQ(plan.toSkip, 1u);
    EXPECT_EQ(problemLines(plan), (std::vector<std::string>{
                                      "2,2: \"佐々木, 花子\" is on line 8 again; row skipped, line 8 replaces it",
                                      "5,6: \"Atlantis\" matches no team; kept as written",
                                      "6,4: empty vote cell; skipped, the later picks move up",
                                  }));
    const MemberImportResult result = applyMemberImport(game, plan, kToday);
    EXPECT_EQ(result.added, 4u);
    EXPECT_EQ(result.replaced, 1u);
    EXPECT_EQ(memberText(game.memberAt(yamamoto)), "山本 拓也|26/06/03|ブラジル,ドイツ,トルコ,韓国,スペイン");
    EXPECT_EQ(game.memberAt(yamamoto).symbol, "yamamoto.png");
    EXPECT_EQ(membersFrom(game, 12), (std::vector<std::string>{
                                         "大野 \"ゴン\" 一郎|26/06/01|日本,ブラジル,ドイツ,アメリカ,イングランド",
                                         "岡田　武史|26/06/02|日本,セネガル,トルコ,Atlantis",
                                         "石井, 智|26/06/03|スペイン,イタリア,フランス,アルゼンチン",
                                         "佐々木, 花子|26/06/04|日本,ブラジル,ドイツ,トルコ,スペイン",
                                     }));
}

// A spreadsheet saved by Excel: CP932 without a header, half-width katakana
// and full-width spaces in the picks, a character of CP932's extensions.
TEST(MemberImport, ExcelExportIntoTheExample) {
    Game game = exampleGame();
    const std::string bytes = fixture("excel.csv");
    EXPECT_EQ(readMembersFile(bytes).encoding.encoding, text::Encoding::cp932);
    TeamMatcher matcher(game);
    MemberImportOptions options;
    options.header = false;
    options.firstVoteColumn = 2;
    options.lastVoteColumn = 6;
    EXPECT_EQ(chooseMemberColumns(guessMemberColumns(readMembersFile(bytes), matcher), {}), options);
    const MemberImportPlan plan = prepareMemberImport(bytes, options, game, kToday);
    EXPECT_EQ(problemLines(plan),
              (std::vector<std::string>{"4,2: \"ｱﾄﾗﾝﾃｨｽ\" matches no team; kept as written"}));
    applyMemberImport(game, plan, kToday);
    EXPECT_EQ(membersFrom(game, 12), (std::vector<std::string>{
                                         "中田 英寿|26/06/10|日本,ブラジル,ドイツ,イタリア,アルゼンチン",
                                         "稲本　潤一|26/06/10|日本,セネガル,トルコ,カメルーン,チュニジア",
                                         "髙原 直泰|26/06/10|ポルトガル,韓国,アメリカ,スウェーデン,ベルギー",
                                         "宮本 恒靖|26/06/10|ｱﾄﾗﾝﾃｨｽ,日本",
                                     }));

    // Forced to UTF-8, no name can be read: nothing is imported, and why is said.
    options.encoding = text::Encoding::utf8;
    const MemberImportPlan wrong = prepareMemberImport(bytes, options, game, kToday);
    EXPECT_EQ(wrong.toSkip, 4u);
    for (const PlannedRow& row : wrong.rows) {
        ASSERT_FALSE(row.problems.empty());
        EXPECT_EQ(row.problems.front().kind, Kind::undecodable);
    }
}


// Three national teams, T1 to T70, and one member.
Game smallGame() {
    Game game;
    game.settings.name = "cup";
    game.settings.date = "26/05/01";
    for (const char* name : {"日本", "ブラジル", "ドイツ"}) {
        Team team;
        team.name = sj(name);
        game.addTeam(team);
    }
    for (int k = 1; k <= 70; ++k) {
        Team team;
        team.name = "T" + std::to_string(k);
        game.addTeam(team);
    }
    Member member;
    member.name = sj("既存");
    member.symbol = "kizon.png";
    member.date = "26/05/01";
    member.appendVote(sj("ドイツ"));
    game.addMember(member);
    return game;
}

// A row as "+name|date|votes" (add), "=name|..." (replace) or "-name|..." (skip).
std::string rowText(const MemberImportPlan& plan, const PlannedRow& row) {
    const char mark = row.action == Action::add ? '+' : row.action == Action::replace ? '=' : '-';
    std::string out = mark + row.name + "|" + row.date + "|";
    for (std::size_t k = 0; k < row.votes.size(); ++k) out += (k > 0 ? "," : "") + std::string(plan.voteText(row.votes[k]));
    return out;
}

std::string picks(int from, int to) {
    std::string out;
    for (int k = from; k <= to; ++k) out += ",T" + std::to_string(k);
    return out;
}

MemberProblem at(Kind kind, std::size_t line, std::size_t column, std::string text = {}, std::size_t other = 0) {
    return {kind, line, column, std::move(text), other};
}

struct RowCase {
    const char* what;
    std::string csv;  // UTF-8, after the header "名前,1,2,3,4"
    std::vector<std::string> rows;
    std::vector<MemberProblem> problems;
    bool replace = false;
    std::size_t dateColumn = 0;
};

TEST(MemberImport, RowRules) {
    const std::string hiragana64 = [] {
        std::string s;
        for (int k = 0; k < 64; ++k) s += "あ";
        return s;
    }();
    const std::string hiragana63 = hiragana64.substr(3);
    const std::string z130(130, 'z');
    const RowCase cases[] = {
        {"picks matched and stored as the game names them", "山田,Japan,ﾌﾞﾗｼﾞﾙ,　germany ,Atlantis\n",
         {"+山田|26/06/10|日本,ブラジル,ドイツ,Atlantis"},
         {at(Kind::unmatchedVote, 2, 5, "Atlantis")}},
        {"an empty vote cell before a pick moves the later ones up; trailing ones say nothing",
         "山田,日本,,ブラジル,\n鈴木,,,ドイツ\n", {"+山田|26/06/10|日本,ブラジル", "+鈴木|26/06/10|ドイツ"},
         {at(Kind::emptyVote, 2, 3), at(Kind::emptyVote, 3, 2), at(Kind::emptyVote, 3, 3)}},
        {"a team picked twice counts once", "山田,日本,Japan,ﾆｯﾎﾟﾝ,ブラジル\n", {"+山田|26/06/10|日本,ブラジル"},
         {at(Kind::repeatedVote, 2, 3, "日本"), at(Kind::repeatedVote, 2, 4, "日本")}},
        {"picks beyond 64 are dropped", "山田" + picks(1, 70) + "\n", {}, {at(Kind::tooManyVotes, 2, 66, "", 6)}},
        {"the name trimmed, an inner full-width space kept", "\"　山田　太郎 \",日本\n",
         {"+山田　太郎|26/06/10|日本"}, {}},
        {"an emoji in a name: the row is not imported", "山田😀,日本\n鈴木,日本\n",
         {"-山田😀|26/06/10|日本", "+鈴木|26/06/10|日本"}, {at(Kind::notShiftJis, 2, 1, "😀")}},
        {"a pick Shift-JIS cannot hold: the row is not imported, with nothing else said",
         "山田,𠮷野家,Atlantis\n", {"-山田|26/06/10|𠮷野家,Atlantis"}, {at(Kind::notShiftJis, 2, 2, "𠮷")}},
        {"a tag of the game file in a name or a pick: not imported (a save would misread it)",
         "a[T_NAME]b,日本\n山田,x[ALL_END]\n鈴木,[G_RATE]3\n", {"-a[T_NAME]b|26/06/10|日本", "-山田|26/06/10|x[ALL_END]",
          "-鈴木|26/06/10|[G_RATE]3"},
         {at(Kind::fileTag, 2, 1, "[T_NAME]"), at(Kind::fileTag, 3, 2, "[ALL_END]"), at(Kind::fileTag, 4, 2, "[G_RATE]")}},
        {"a line break in a name: not imported", "\"山田\n太郎\",日本\n鈴木\n",
         {"-山田\n太郎|26/06/10|日本", "+鈴木|26/06/10|"}, {at(Kind::controlCharacter, 2, 1)}},
        {"a blank name: not imported; a blank record is no row", "　,日本\n,,,\n", {"-|26/06/10|日本"},
         {at(Kind::noName, 2, 1)}},
        {"an overlong name is cut at a character boundary", hiragana64 + ",日本\nx" + hiragana64 + "\n",
         {"+" + hiragana63 + "|26/06/10|日本", "+x" + hiragana63 + "|26/06/10|"},
         {at(Kind::nameCut, 2, 1, "", 126), at(Kind::nameCut, 3, 1, "", 127)}},
        {"an overlong unmatched pick is cut", "山田," + z130 + "\n", {"+山田|26/06/10|" + z130.substr(0, 127)},
         {at(Kind::voteCut, 2, 2, z130, 127), at(Kind::unmatchedVote, 2, 2, z130.substr(0, 127))}},
        {"a member of the game and a name given twice are skipped", "既存,日本\n山田,日本\n 山田 ,ブラジル\n",
         {"-既存|26/06/10|日本", "+山田|26/06/10|日本", "-山田|26/06/10|ブラジル"},
         {at(Kind::nameInGame, 2, 1, "既存"), at(Kind::nameRepeated, 4, 1, "山田", 3)}},
        {"with replace the last row of a name wins", "既存,日本\n山田,日本,Atlantis\n山田,ブラジル\n",
         {"=既存|26/06/10|日本", "-山田|26/06/10|日本,Atlantis", "+山田|26/06/10|ブラジル"},
         {at(Kind::nameRepeatedLater, 3, 1, "山田", 4)},
         true},
        {"with replace a later row that is not imported replaces nothing", "山田,日本\n山田,😀\n",
         {"+山田|26/06/10|日本", "-山田|26/06/10|😀"}, {at(Kind::notShiftJis, 3, 2, "😀")}, true},
        {"the date column's date, else today's", "山田,2026/6/1 9:30,日本\n鈴木,昨日,日本\n佐藤,,日本\n",
         {"+山田|26/06/01|日本", "+鈴木|26/06/10|日本", "+佐藤|26/06/10|日本"},
         {at(Kind::badDate, 3, 2, "昨日"), at(Kind::badDate, 4, 2, "")},
         false,
         2},
    };
    for (const RowCase& c : cases) {
        const Game game = smallGame();
        MemberImportOptions options;
        options.replace = c.replace;
        options.dateColumn = c.dateColumn;
        const MemberImportPlan plan = prepareMemberImport("名前,1,2,3,4\n" + c.csv, options, game, kToday);
        std::vector<std::string> rows;
        std::vector<MemberProblem> problems;
        for (const PlannedRow& row : plan.rows) {
            rows.push_back(rowText(plan, row));
            problems.insert(problems.end(), row.problems.begin(), row.problems.end());
        }
        if (!c.rows.empty()) {
            EXPECT_EQ(rows, c.rows) << c.what;
        }
        EXPECT_EQ(problems, c.problems) << c.what;
    }
}

TEST(MemberImport, KeepsAtMost64Votes) {
    const Game game = smallGame();
    const MemberImportPlan plan = prepareMemberImport("名前\n山田" + picks(1, 70), {}, game, kToday);
    ASSERT_EQ(plan.rows.size(), 1u);
    const Member& m = plan.rows[0].record;
    ASSERT_EQ(m.voteCount(), 64);
    EXPECT_EQ(m.vote(0), "T1");
    EXPECT_EQ(m.vote(63), "T64");
}

TEST(MemberImport, ApplyAppendsReplacesInPlaceAndDatesTheGame) {
    Game game = smallGame();
    MemberImportOptions options;
    options.replace = true;
    const MemberImportPlan plan = prepareMemberImport("名前,1\n山田,日本\n既存,ブラジル\n", options, game, kToday);
    const MemberImportResult result = applyMemberImport(game, plan, kToday);
    EXPECT_EQ(result.added, 1u);
    EXPECT_EQ(result.replaced, 1u);
    ASSERT_EQ(game.memberCount(), 2);
    EXPECT_EQ(memberText(game.memberAt(0)), "既存|26/06/10|ブラジル");
    EXPECT_EQ(game.memberAt(0).symbol, "kizon.png");
    EXPECT_EQ(memberText(game.memberAt(1)), "山田|26/06/10|日本");
    EXPECT_EQ(game.settings.date, kToday);

    // Nothing to import: nothing changes, the game's date neither.
    Game unchanged = smallGame();
    const MemberImportPlan skipped = prepareMemberImport("名前,1\n既存,日本\n", {}, unchanged, kToday);
    EXPECT_FALSE(skipped.importsAnything());
    EXPECT_FALSE(applyMemberImport(unchanged, skipped, kToday).changed());
    EXPECT_EQ(unchanged.settings.date, "26/05/01");
    EXPECT_EQ(unchanged.memberCount(), 1);

    // A plan for another game is refused before anything changes.
    Game other = smallGame();
    other.memberAt(0).name = "someone else";
    const Game otherBefore = other;
    EXPECT_THROW(applyMemberImport(other, plan, kToday), std::invalid_argument);
    EXPECT_EQ(other.members(), otherBefore.members());
    EXPECT_EQ(other.settings, otherBefore.settings);
}

// A UTF-8 file with cells typed in CP932: those are read as CP932 and said
// to be; a cell neither reads keeps its row out; a comment column that is
// not imported says nothing in the rows.
TEST(MemberImport, CellsNotInTheFilesEncodingAreReadAndSaid) {
    const Game game = smallGame();
    const std::string csv = "名前,1,2,コメント\n" + sj("山田") + ",日本,ブラジル," + sj("楽しみ") + "\n鈴木," +
                            sj("ドイツ") + ",日本\n\xA0\xA0,日本\n";
    const MembersFile file = readMembersFile(csv);
    EXPECT_EQ(file.encoding.encoding, text::Encoding::utf8);
    EXPECT_EQ(file.notes, (std::vector<CellNote>{{CellNote::Kind::otherEncoding, 1, 2, 1},
                                                 {CellNote::Kind::otherEncoding, 1, 2, 4},
                                                 {CellNote::Kind::otherEncoding, 2, 3, 2},
                                                 {CellNote::Kind::undecodable, 3, 4, 1}}));
    MemberImportOptions options;
    options.firstVoteColumn = 2;
    options.lastVoteColumn = 3;
    TeamMatcher matcher(game);
    const MemberImportPlan plan = planMemberImport(file, options, game, matcher, kToday);
    EXPECT_EQ(problemLines(plan), (std::vector<std::string>{
                                      "2,1: not in the file's encoding; read as CP932",
                                      "3,2: not in the file's encoding; read as CP932",
                                      "4,1: bytes that are neither UTF-8 nor CP932; row not imported",
                                  }));
    std::vector<std::string> rows;
    for (const PlannedRow& row : plan.rows) rows.push_back(rowText(plan, row));
    EXPECT_EQ(rows, (std::vector<std::string>{"+山田|26/06/10|日本,ブラジル", "+鈴木|26/06/10|ドイツ,日本",
                                              "-\xEF\xBF\xBD\xEF\xBF\xBD|26/06/10|日本"}));

    // Forced to UTF-8 nothing is read otherwise: the CP932 cells are undecodable.
    options.encoding = text::Encoding::utf8;
    EXPECT_EQ(prepareMemberImport(csv, options, game, kToday).toSkip, 3u);
}

// Each spelling no team matches is listed once, by its key, with how many
// picks have it; mapping it changes every one of them.
TEST(MemberImport, SpellingsAreListedOnceAndMappedEverywhere) {
    const Game game = smallGame();
    const std::string csv = "名前,1,2\n山田,ブラジリ,Atlantis\n鈴木,ﾌﾞﾗｼﾞﾘ,日本\n佐藤,ブラジリ代表,ドイツ\n";
    MemberImportOptions options;
    MemberImportPlan plan = prepareMemberImport(csv, options, game, kToday);
    ASSERT_EQ(plan.spellings.size(), 2u);
    EXPECT_EQ(plan.spellings[0].written, "ブラジリ");
    EXPECT_EQ(plan.spellings[0].count, 3u);
    EXPECT_EQ(plan.spellings[0].team, -1);
    EXPECT_EQ(plan.spellings[1].written, "Atlantis");
    EXPECT_EQ(plan.spellings[1].count, 1u);
    EXPECT_EQ(plan.problemCount, 4u);
    TeamMatcher matcher(game);
    EXPECT_EQ(matcher.nearestTeam(plan.spellings[0].written), 1);

    options.names = {{"ブラジリ", "ブラジル"}};
    plan = prepareMemberImport(csv, options, game, kToday);
    std::vector<std::string> rows;
    for (const PlannedRow& row : plan.rows) rows.push_back(rowText(plan, row));
    EXPECT_EQ(rows, (std::vector<std::string>{"+山田|26/06/10|ブラジル,Atlantis", "+鈴木|26/06/10|ブラジル,日本",
                                              "+佐藤|26/06/10|ブラジル,ドイツ"}));
    EXPECT_EQ(problemLines(plan), (std::vector<std::string>{"2,3: \"Atlantis\" matches no team; kept as written"}));
    ASSERT_EQ(plan.spellings.size(), 2u);
    EXPECT_EQ(plan.spellings[0].team, 1) << "still listed, with where it goes now";
    EXPECT_EQ(plan.spellings[0].count, 3u);
}

struct FileErrorCase {
    const char* what;
    std::string bytes;
    MemberImportOptions options;
    std::string message;
};

TEST(MemberImport, FilesThatCannotBeImportedNameThePlace) {
    MemberImportOptions noHeader;
    noHeader.header = false;
    MemberImportOptions name5;
    name5.nameColumn = 5;
    MemberImportOptions date4;
    date4.dateColumn = 4;
    MemberImportOptions votes2to4;
    votes2to4.firstVoteColumn = 2;
    votes2to4.lastVoteColumn = 4;
    MemberImportOptions noName;
    noName.nameColumn = 0;
    const FileErrorCase cases[] = {
        {"an empty file", "", {}, "the file is empty"},
        {"only a BOM and line ends", "\xEF\xBB\xBF\r\n\r\n", {}, "the file is empty"},
        {"an unterminated quote", "名前,1\n山田,日本\n\"鈴木,日本\n", {}, "line 3, column 1: a quoted field is not closed"},
        {"text after a closing quote", "名前,1\n山田,\"日本\"x\n", {}, "line 2, column 2: text after a closing quote"},
        {"only a header", "名前,1,2\r\n", {}, "line 1: only a header, no members"},
        {"a header and blank records", "\n名前,1\n,\n", {}, "line 2: only a header, no members"},
        {"only separators", ",,\n,\n", noHeader, "the file is empty"},
        {"blank records without a header", "　, \n", noHeader, "no members"},
        {"a name column beyond the columns", "名前,1,2\n山田,日本\n", name5, "column 5: beyond the file's 3 columns"},
        {"a date column beyond", "名前,1,2\n山田,日本\n", date4, "column 4: beyond the file's 3 columns"},
        {"vote columns beyond", "名前,1,2\n山田,日本\n", votes2to4, "column 4: beyond the file's 3 columns"},
        {"no name column", "名前,1,2\n山田,日本\n", noName,
         "no column holds the members' names; name it with --name-column"},
        {"more columns than a members file has", "名前" + std::string(1000, ',') + "x\n", {},
         "line 1, column 1001: more than 1000 columns; is it the right file?"},
        {"larger than a members file may be", std::string(kMaxMembersFileBytes + 1, 'a'), {},
         "larger than the 32 MiB such a file may have; is it the right file?"},
    };
    const Game game = smallGame();
    for (const FileErrorCase& c : cases) {
        try {
            prepareMemberImport(c.bytes, c.options, game, kToday);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const text::InputError& e) {
            EXPECT_EQ(std::string(e.what()), c.message) << c.what;
        }
    }
}

TEST(MemberImport, OptionsThatContradictThemselves) {
    const auto options = [](std::size_t name, std::size_t first, std::size_t last, std::size_t date) {
        MemberImportOptions o;
        o.nameColumn = name;
        o.firstVoteColumn = first;
        o.lastVoteColumn = last;
        o.dateColumn = date;
        return o;
    };
    using K = MemberOptionsError::Kind;
    const std::pair<MemberImportOptions, K> wrong[] = {
        {options(1, 3, 2, 0), K::badVoteRange},  {options(1, 0, 3, 0), K::badVoteRange},
        {options(1, 2, 0, 0), K::badVoteRange},  {options(3, 2, 4, 0), K::votesHoldName},
        {options(1, 2, 4, 3), K::votesHoldDate}, {options(2, 3, 4, 2), K::dateIsName},
    };
    for (const auto& [o, kind] : wrong) {
        try {
            checkMemberOptions(o);
            ADD_FAILURE() << "no error";
        } catch (const MemberOptionsError& e) {
            EXPECT_EQ(e.kind(), kind) << e.what();
        }
    }
    // No name column is no contradiction: the plan asks for one.
    const MemberImportOptions right[] = {options(1, 0, 0, 0), options(2, 3, 12, 1), options(5, 1, 4, 6),
                                         options(1, 2, 2, 0), options(0, 2, 4, 0)};
    for (const MemberImportOptions& o : right) EXPECT_NO_THROW(checkMemberOptions(o));
}

// The default vote columns leave out the date column.
TEST(MemberImport, DefaultVoteColumnsFollowTheNameAndSkipTheDate) {
    const Game game = smallGame();
    MemberImportOptions options;
    options.nameColumn = 2;
    options.dateColumn = 4;
    const MemberImportPlan plan =
        prepareMemberImport("x,名前,1,日時,2\nignored,山田,日本,2026/06/01,ドイツ\n", options, game, kToday);
    ASSERT_EQ(plan.rows.size(), 1u);
    EXPECT_EQ(rowText(plan, plan.rows[0]), "+山田|26/06/01|日本,ドイツ");
}

TEST(FormDate, ReadsTheTimestampsOfFormsAndSpreadsheets) {
    const std::pair<const char*, const char*> good[] = {
        {"2026/06/01 12:34:56", "26/06/01"},
        {"2026-06-01T12:34:56", "26/06/01"},
        {"2026/6/1 12:34", "26/06/01"},
        {"6/1/2026 12:34:56", "26/06/01"},
        {"12/31/2026 23:59:59", "26/12/31"},
        {"2026/06/01", "26/06/01"},
        {" 2026-06-01 ", "26/06/01"},
        {"2026-06-01T12:34:56.789Z", "26/06/01"},
        {"2026-06-01T23:30:00+09:00", "26/06/01"},
        {"2026-06-01 12:34:56 GMT+0900", "26/06/01"},
        {"6/1/2026 1:05:09 PM", "26/06/01"},
        {"2026/06/01 午後 1:05:09", "26/06/01"},
        {"2026年6月1日 12:34", "26/06/01"},
        {"２０２６／０６／０１　１２：３４", "26/06/01"},
        {"2024/2/29", "24/02/29"},
        {"2000-02-29", "00/02/29"},
        {"1999.12.31", "99/12/31"},
    };
    for (const auto& [in, out] : good) EXPECT_EQ(formDate(in), std::optional<std::string>(out)) << in;
    const char* bad[] = {"",           "yesterday",        "26/06/01",          "2026/13/01",
                         "2026/02/29", "1900/02/29",       "2026/06/31",        "2026/06-01",
                         "2026/06/01x", "2026/06/01 25:00", "2026/06/01 12",     "2026/06/01 12:345",
                         "06/01/26",   "2026/006/01",      "2026/06/01 12:34 ?", "13/1/2026"};
    for (const char* in : bad) EXPECT_EQ(formDate(in), std::nullopt) << in;
}

}  // namespace
}  // namespace scorvale::imports
