#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "gamefile/game_file.h"
#include "gamefile/safe_file.h"
#include "imports/member_columns.h"
#include "imports/member_import.h"
#include "tests/imports/member_test_games.h"
#include "tests/imports/print_problems.h"
#include "text/sjis_codec.h"

namespace scorvale::imports {
namespace {

using testing::exampleGame;
using testing::kToday;
using testing::memberText;

// One letter a column: t timestamp, e e-mail, n number, T team, s short
// text, c comments, - empty.
std::string kindsOf(const ColumnGuess& guess) {
    std::string out;
    for (const ColumnKind kind : guess.kinds) out += "-tenTsc"[static_cast<int>(kind)];
    return out;
}

// "header, name 3, date 1, picks 4-8" as the options give it.
std::string columnsOf(const MemberImportOptions& o) {
    return std::string(o.header ? "header" : "no header") + ", name " + std::to_string(o.nameColumn) + ", date " +
           std::to_string(o.dateColumn) + ", picks " + std::to_string(o.firstVoteColumn) + "-" +
           std::to_string(o.lastVoteColumn);
}

struct Guessed {
    std::string kinds;
    std::string columns;
};

Guessed guessed(const std::string& csv, const Game& game, const ColumnChoices& fixed = {}) {
    TeamMatcher matcher(game);
    const ColumnGuess guess = guessMemberColumns(readMembersFile(csv), matcher);
    return {kindsOf(guess), columnsOf(chooseMemberColumns(guess, fixed))};
}

// The shapes forms and spreadsheets give their exports, each with the few
// rows that show it.
TEST(MemberColumns, GuessesEachColumnByItsCells) {
    const Game game = exampleGame();
    const struct {
        const char* what;
        std::string csv;
        std::string kinds;
        std::string columns;
    } cases[] = {
        {"a form with an e-mail and a comment column",
         "タイムスタンプ,メールアドレス,お名前,1位,2位,3位,ひとこと\n"
         "2026/06/01 9:00:00,a@example.jp,佐藤 花子,Brazil,Japan,Germany,楽しみ😀\n"
         "2026/06/01 9:30:00,b@example.jp,鈴木 一郎,日本,韓国,トルコ,\"一行目\n二行目\"\n"
         "2026/06/02 7:00:00,c@example.jp,高橋 翔,Spain,Italy,France,\n",
         "tesTTTc", "header, name 3, date 1, picks 4-6"},
        {"the same without e-mail and comment", "タイムスタンプ,お名前,1位,2位\n2026/06/01 9:00,佐藤,Brazil,Japan\n"
         "2026/06/01 9:30,鈴木,日本,韓国\n",
         "tsTT", "header, name 2, date 1, picks 3-4"},
        {"a short comment column before the picks, named as one",
         "名前,コメント,1位,2位\n佐藤,よろしく,Brazil,Japan\n鈴木,楽しみ,日本,韓国\n高橋,がんばる,Spain,Italy\n",
         "scTT", "header, name 1, date 0, picks 3-4"},
        {"Excel with a numbering column", "No.,氏名,1位,2位\r\n1,佐藤,ﾌﾞﾗｼﾞﾙ,日本\r\n2,鈴木,ﾄﾞｲﾂ,韓国\r\n",
         "nsTT", "header, name 2, date 0, picks 3-4"},
        {"Excel without a header", "佐藤,ﾌﾞﾗｼﾞﾙ,日本\r\n鈴木,ﾄﾞｲﾂ,韓国\r\n高橋,Spain,Italy\r\n", "sTT",
         "no header, name 1, date 0, picks 2-3"},
        {"a consent box answered alike by all, the name after it",
         "Timestamp,Consent,Name,Pick 1,Pick 2\n6/1/2026 9:00:00,Yes,Alice,Brazil,Japan\n"
         "6/1/2026 10:00:00,Yes,Bob,Japan,Korea Republic\n6/2/2026 8:00:00,Yes,Carol,Spain,England\n",
         "tssTT", "header, name 3, date 1, picks 4-5"},
        {"start and completion times, an anonymous name, a nickname",
         "ID,開始時刻,完了時刻,メール,名前,ニックネーム,1位,2位\n"
         "1,6/1/2026 9:10:00,6/1/2026 9:12:03,anonymous,,ケン,ブラジル,ドイツ\n"
         "2,6/1/2026 10:40:00,6/2/2026 0:01:12,anonymous,,ユミ,日本,韓国\n"
         "3,6/2/2026 7:00:00,6/2/2026 7:05:10,anonymous,,ユウト,イタリア,ブラジル\n",
         "ntts-sTT", "header, name 6, date 3, picks 7-8"},
        {"the name after the picks", "1位,2位,3位,名前\nBrazil,Japan,Germany,佐藤\nJapan,Spain,Italy,鈴木\n", "TTTs",
         "header, name 4, date 0, picks 1-3"},
        {"an empty pick column between picks belongs to them",
         "名前,1位,2位,3位,メモ\n佐藤,Brazil,,Japan,x\n鈴木,Japan,,Spain,y\n", "sT-Ts",
         "header, name 1, date 0, picks 2-4"},
        {"misspelt picks, half of a column still", "名前,1位,2位\n佐藤,ブラジリ,日本\n鈴木,ドイツ,韓国\n",
         "sTT", "header, name 1, date 0, picks 2-3"},
        {"one record holding teams: no header", "佐藤,Brazil,Japan\n", "sTT", "no header, name 1, date 0, picks 2-3"},
        {"one record naming nothing: a header", "名前,1位,2位\n", "sss", "header, name 1, date 0, picks 2-3"},
        {"picks no team matches: the short texts after the name",
         "名前,1,2,感想\n佐藤,Atlantis,Mu,\"長い\n感想\"\n鈴木,Lemuria,Atlantis,\n", "sssc",
         "header, name 1, date 0, picks 2-3"},
        {"no column of names", "タイムスタンプ,メール,1位\n2026/06/01 9:00,a@example.jp,Japan\n"
         "2026/06/01 9:10,b@example.jp,Brazil\n",
         "teT", "header, name 0, date 1, picks 3-3"},
    };
    for (const auto& c : cases) {
        const Guessed g = guessed(c.csv, game);
        EXPECT_EQ(g.kinds, c.kinds) << c.what;
        EXPECT_EQ(g.columns, c.columns) << c.what;
    }
}

TEST(MemberColumns, ChoicesGivenWinAndTheRestFollows) {
    const Game game = exampleGame();
    const std::string form =
        "タイムスタンプ,メールアドレス,お名前,1位,2位,3位,4位\n"
        "2026/06/01 9:00:00,a@example.jp,佐藤,Brazil,Japan,Germany,Spain\n"
        "2026/06/01 9:30:00,b@example.jp,鈴木,日本,韓国,トルコ,Italy\n";
    ColumnChoices nameInPicks;
    nameInPicks.nameColumn = 4;
    ColumnChoices nameLastPick;
    nameLastPick.nameColumn = 7;
    ColumnChoices picks;
    picks.voteColumns = std::pair{3, 5};
    ColumnChoices noDate;
    noDate.dateColumn = 0;
    ColumnChoices email;
    email.nameColumn = 2;
    email.header = false;
    const std::pair<ColumnChoices, std::string> cases[] = {
        {{}, "header, name 3, date 1, picks 4-7"},
        {nameInPicks, "header, name 4, date 1, picks 5-7"},   // the picks after the name
        {nameLastPick, "header, name 7, date 1, picks 4-6"},  // ... or before it
        {picks, "header, name 0, date 1, picks 3-5"},         // the name guessed is a pick now: none left
        {noDate, "header, name 3, date 0, picks 4-7"},
        {email, "no header, name 2, date 1, picks 4-7"},
    };
    for (const auto& [fixed, columns] : cases) EXPECT_EQ(guessed(form, game, fixed).columns, columns) << columns;
}

// Exports as people have them, imported into the example with no option:
// what each is read as, and the members it gives.
TEST(MemberColumns, RealExportsImportWithNoOption) {
    const std::string dir = SCORVALE_SOURCE_DIR "/tests/fixtures/members/exports/";
    const struct {
        const char* file;
        std::string read;  // encoding, separator, columns
        std::size_t added;
        std::vector<std::string> members;  // the first and the last added
        std::size_t problems;
    } cases[] = {
        {"form_email_comment.csv", "utf-8 comma, header, name 3, date 1, picks 4-8", 5,
         {"佐々木 花子|26/06/01|ブラジル,ドイツ,日本,韓国,フランス",
          "松井 洋子|26/06/03|イングランド,スウェーデン,デンマーク,アイルランド,ベルギー"},
         0},
        {"form_plain.csv", "utf-8 comma, header, name 2, date 1, picks 3-5", 4,
         {"けんいち|26/05/28|ブラジル,ドイツ,イタリア", "さくら|26/05/31|ブラジル,イングランド,日本"}, 0},
        {"form_consent.csv", "utf-8 comma, header, name 4, date 1, picks 5-7", 4,
         {"Alice|26/06/01|ブラジル,ドイツ,日本", "Dave|26/06/03|イタリア,アルゼンチン,ブラジル"}, 0},
        {"excel_numbered.csv", "cp932 comma, header, name 2, date 0, picks 3-5", 5,
         {"中田 英寿|26/06/10|ブラジル,ドイツ,日本", "小野 伸二|26/06/10|スペイン,メキシコ,ベルギー"}, 0},
        {"excel_unicode.txt", "utf-16 tab, header, name 1, date 0, picks 2-4", 3,
         {"鈴木 太郎|26/06/10|ブラジル,ドイツ,日本", "田中 三郎|26/06/10|ドイツ,スペイン,イタリア"}, 0},
        {"semicolon.csv", "utf-8 semicolon, header, name 1, date 0, picks 2-4", 3,
         {"Mueller, Thomas|26/06/10|ドイツ,ブラジル,スペイン", "Rossi, Paolo|26/06/10|イタリア,アルゼンチン,ブラジル"}, 0},
        {"msforms.csv", "utf-8 comma, header, name 6, date 3, picks 7-9", 3,
         {"ケン|26/06/01|ブラジル,ドイツ,日本", "ユウト|26/06/02|イタリア,ブラジル,ドイツ"}, 0},
        {"utf8_with_cp932_comment.csv", "utf-8 comma, header, name 2, date 1, picks 3-5", 3,
         {"佐々木 花子|26/06/01|ブラジル,ドイツ,日本", "岡田 武史|26/06/02|スペイン,イタリア,フランス"}, 0},
        // 34 members, one of them in the game already; picks with 代表, in
        // English, codes and half-width, and spellings no team matches.
        {"pool34.csv", "utf-8 comma, header, name 3, date 1, picks 4-8", 33,
         {"佐藤 美咲|26/06/01|イタリア,韓国,フランス,ブラジル,ポルトガル",
          "山田　花子|26/06/05|トルコ,日本,ドイツ,スペイン,ブラジル"},
         17},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        Game game = exampleGame();
        TeamMatcher matcher(game);
        const MembersFile file = readMembersFile(readWholeFile(dir + c.file));
        const MemberImportOptions options = chooseMemberColumns(guessMemberColumns(file, matcher), {});
        const char* encodings[] = {"auto", "utf-8", "cp932", "utf-16"};
        const char* separators[] = {"", "comma", "semicolon", "tab"};
        EXPECT_EQ(std::string(encodings[static_cast<int>(file.encoding.encoding)]) + " " +
                      separators[static_cast<int>(file.separator)] + ", " + columnsOf(options),
                  c.read);
        const MemberImportPlan plan = planMemberImport(file, options, game, matcher, kToday);
        EXPECT_EQ(plan.problemCount, c.problems);
        applyMemberImport(game, plan, kToday);
        ASSERT_EQ(plan.toAdd, c.added);
        EXPECT_EQ(memberText(game.memberAt(12)), c.members.front());
        EXPECT_EQ(memberText(game.memberAt(game.memberCount() - 1)), c.members.back());
    }
}

}  // namespace
}  // namespace scorvale::imports
