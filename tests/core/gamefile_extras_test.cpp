#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "gamefile/file_lines.h"
#include "gamefile/game_file.h"
#include "gamefile/safe_file.h"
#include "tests/support/game_compare.h"
#include "tests/support/literal_game_file.h"

namespace scorvale {
namespace {

using namespace std::string_literals;

const std::string kJapan = "\x93\xfa\x96\x7b";  // 日本

// A small game: two teams, one member.
Game smallGame() {
    Game g;
    g.settings.name = "Cup";
    for (const std::string& name : {kJapan, "BRA"s}) {
        Team t;
        t.name = name;
        t.wins = 1;
        g.addTeam(t);
    }
    Member m;
    m.name = "Taro";
    m.appendVote(kJapan);
    g.addMember(m);
    return g;
}

RecordedResults results(std::string name, std::vector<std::int32_t> n) {
    RecordedResults r;
    r.name = name;
    for (std::size_t i = 0; i < gamefile::kRecordedNumbers.size(); ++i) r.*gamefile::kRecordedNumbers[i] = n[i];
    return r;
}

// Days out of order, the extremes of every number, a day without teams, a
// name holding a comma and the text of tags, and the ranking fixed at the end.
Game gameWithHistory() {
    Game g = smallGame();
    g.page = {PageChoice::Kind::phone, true};
    g.history.setDay({"02/06/30", true,
                      {results("BRA", {7, 0, 0, 4, 14, 1, 0}), results(kJapan, {2, 1, 1, 0, 2, 1, 1})}});
    g.history.setDay({"02/06/04", false,
                      {results(kJapan, {0, 1, 0, 0, 0, 0, 0}),
                       results("a,b [H_END]3 [ALL_END]", {INT32_MIN, INT32_MAX, -1, 0, -7, 1, 1})}});
    g.history.setDay({"02/05/31", false, {}});
    return g;
}

std::string plainExtras(const std::string& lines) {
    std::string out;
    std::size_t from = 0;
    while (from < lines.size()) {
        const std::size_t lf = lines.find('\n', from);
        out += scrambleLine(lines.substr(from, lf - from)) + "\r\n";
        from = lf + 1;
    }
    return out;
}

TEST(Extras, HistoryAndPageComeBackByteForByte) {
    const Game game = gameWithHistory();
    const std::string bytes = gameFileBytes(game);
    Game back;
    loadGameBytes(back, bytes, ReadAll);
    EXPECT_TRUE(testing::sameGame(back, game));
    EXPECT_EQ(back.history, game.history);
    EXPECT_EQ(back.page, game.page);
    EXPECT_EQ(gameFileBytes(back), bytes);

    // The lines after the end, in the order the table gives, scrambled like the rest.
    const std::string plain = gameFileText(game);
    EXPECT_NE(plain.find("[ALL_END]\n[P_PAGE]1\n[P_PICTURE]1\n[H_DAY]02/05/31\n[H_FIXED]0\n[H_END]0\n"
                         "[H_DAY]02/06/04\n[H_FIXED]0\n[H_TEAM]0,1,0,0,0,0,0," +
                         kJapan + "\n[H_TEAM]-2147483648,2147483647,-1,0,-7,1,1,a,b [H_END]3 [ALL_END]\n[H_END]2\n"),
              std::string::npos)
        << plain;
    EXPECT_EQ(bytes.find('['), std::string::npos);

    // A plain-text file reads the same.
    Game fromPlain;
    loadGameBytes(fromPlain, plain, ReadAll);
    EXPECT_EQ(fromPlain.history, game.history);
    EXPECT_EQ(fromPlain.page, game.page);
}

// Nothing to keep beyond the format: not a byte after the end line.
TEST(Extras, GameWithoutThemWritesTheFormatAlone) {
    Game game = smallGame();
    const std::string bytes = gameFileBytes(game);
    EXPECT_EQ(bytes.substr(bytes.size() - 20), scrambleLine("[ALL_END]") + "\r\n");

    // The example game, as committed, is what a load and a save give.
    const std::string example = readWholeFile(SCORVALE_SOURCE_DIR "/examples/worldcup2002.svl");
    Game loaded;
    loadGameBytes(loaded, example, ReadAll);
    EXPECT_TRUE(loaded.history.empty());
    EXPECT_EQ(loaded.page, PageChoice{});
    EXPECT_EQ(gameFileBytes(loaded), example);

    // The page choice alone makes the two page lines, no day.
    game.page.kind = PageChoice::Kind::phone;
    EXPECT_EQ(gameFileText(game).substr(gameFileText(smallGame()).size()), "[P_PAGE]1\n[P_PICTURE]0\n");
}

// The format's readers stop at the end line: the literal reader of the
// tests, a merge and a load without the extras see the game alone.
TEST(Extras, ReadersOfTheFormatNeverSeeThem) {
    const Game game = gameWithHistory();
    for (const std::string& bytes : {gameFileBytes(game), gameFileText(game)}) {
        Game literal;
        literal::loadGameBytes(literal, bytes, ReadAll);
        EXPECT_TRUE(testing::sameGame(literal, smallGame()));

        Game merged = smallGame();
        merged.history.setDay({"01/01/01", false, {}});
        loadGameBytes(merged, bytes, ReadSettings | ReadTeams | ReadMembers);
        EXPECT_TRUE(testing::sameGame(merged, smallGame()));
        ASSERT_EQ(merged.history.days().size(), 1u);
        EXPECT_EQ(merged.history.days()[0].date, "01/01/01");
        EXPECT_EQ(merged.page, PageChoice{});
    }
    // A new load takes the file's: none when the file has none.
    Game reloaded = game;
    loadGameBytes(reloaded, gameFileBytes(smallGame()), ReadAll);
    EXPECT_TRUE(reloaded.history.empty());
    EXPECT_EQ(reloaded.page, PageChoice{});
}

struct DamagedCase {
    const char* what;
    std::string lines;          // plain lines after the end line
    std::vector<std::string> kept;  // dates of the days kept
};

const std::string kDay1 = "[H_DAY]02/06/01\n[H_FIXED]0\n[H_TEAM]1,0,0,0,1,0,0,A\n[H_END]1\n";
const std::string kDay2 = "[H_DAY]02/06/02\n[H_FIXED]1\n[H_TEAM]1,0,1,0,0,0,0,A\n[H_TEAM]0,0,1,0,-1,0,1,B\n[H_END]2\n";

// What is kept of damaged or hostile lines: whole days or nothing of them,
// and never anything of the game.
TEST(Extras, DamagedLinesLoseOnlyTheirDay) {
    const std::vector<DamagedCase> cases = {
        {"sound", kDay1 + kDay2, {"02/06/01", "02/06/02"}},
        {"wrong order", kDay2 + kDay1, {"02/06/01", "02/06/02"}},
        {"cut off before the day's end", kDay1 + "[H_DAY]02/06/02\n[H_TEAM]1,0,0,0,1,0,0,A\n", {"02/06/01"}},
        {"a day begun inside another", "[H_DAY]02/06/03\n[H_TEAM]1,0,0,0,1,0,0,A\n" + kDay1, {"02/06/01"}},
        {"a team line lost", "[H_DAY]02/06/03\n[H_TEAM]1,0,0,0,1,0,0,A\n[H_END]2\n" + kDay1, {"02/06/01"}},
        {"a huge count", "[H_DAY]02/06/03\n[H_END]4294967296\n[H_DAY]02/06/04\n[H_END]-1\n" + kDay1, {"02/06/01"}},
        {"no month 13", "[H_DAY]02/13/01\n[H_END]0\n" + kDay1, {"02/06/01"}},
        {"no 30 February", "[H_DAY]02/02/30\n[H_END]0\n[H_DAY]04/02/29\n[H_END]0\n", {"04/02/29"}},
        {"not the date's form", "[H_DAY]2002/06/03\n[H_END]0\n[H_DAY]2/6/3\n[H_END]0\n[H_DAY]\n[H_END]0\n", {}},
        {"a letter for a number", "[H_DAY]02/06/03\n[H_TEAM]1,0,x,0,1,0,0,A\n[H_END]1\n", {}},
        {"beyond 32 bits", "[H_DAY]02/06/03\n[H_TEAM]2147483648,0,0,0,1,0,0,A\n[H_END]1\n", {}},
        {"blanks and plus signs", "[H_DAY]02/06/03\n[H_TEAM] 1,+0,0,0,1,0,0,A\n[H_END]1\n", {}},
        {"six numbers", "[H_DAY]02/06/03\n[H_TEAM]1,0,0,0,1,0,A\n[H_END]1\n", {}},
        {"ranking flag 2", "[H_DAY]02/06/03\n[H_FIXED]2\n[H_END]0\n", {}},
        {"lines outside a day", "[H_TEAM]1,0,0,0,1,0,0,A\n[H_FIXED]1\n[H_END]1\n" + kDay1, {"02/06/01"}},
        {"tags not at the start", " [H_DAY]02/06/03\nx[H_END]0\n" + kDay1, {"02/06/01"}},
        {"unknown lines inside a day", "[H_DAY]02/06/01\n[H_NOTE]later\n\n[H_TEAM]1,0,0,0,1,0,0,A\nxyz\n[H_END]1\n",
         {"02/06/01"}},
        {"game lines after the end", "[G_NAME]Other\n[T_NAME]X\n[T_END]\n" + kDay1, {"02/06/01"}},
    };
    for (const DamagedCase& c : cases) {
        SCOPED_TRACE(c.what);
        for (const std::string& after : {plainExtras(c.lines), c.lines}) {
            Game game;
            loadGameBytes(game, gameFileBytes(smallGame()) + after, ReadAll);
            EXPECT_TRUE(testing::sameGame(game, smallGame()));
            std::vector<std::string> dates;
            for (const HistoryDay& day : game.history.days()) dates.push_back(day.date);
            EXPECT_EQ(dates, c.kept);
        }
    }

    // A day that keeps its lines keeps every one of them.
    Game game;
    loadGameBytes(game, gameFileBytes(smallGame()) + plainExtras(kDay2), ReadAll);
    ASSERT_EQ(game.history.days().size(), 1u);
    const HistoryDay expected{"02/06/02", true, {results("A", {1, 0, 1, 0, 0, 0, 0}), results("B", {0, 0, 1, 0, -1, 0, 1})}};
    EXPECT_EQ(game.history.days()[0], expected);
}

TEST(Extras, DuplicateDatesKeepTheLaterDay) {
    const std::string later = "[H_DAY]02/06/01\n[H_FIXED]1\n[H_END]0\n";
    std::string lines;
    for (int i = 0; i < 20000; ++i) lines += kDay1;
    Game game;
    loadGameBytes(game, gameFileBytes(smallGame()) + plainExtras(lines + later + kDay2), ReadAll);
    ASSERT_EQ(game.history.days().size(), 2u);
    EXPECT_EQ(game.history.days()[0], (HistoryDay{"02/06/01", true, {}}));
}

TEST(Extras, PageChoiceTakesOnlyWhatItKnows) {
    struct Case {
        std::string lines;
        PageChoice page;
    } cases[] = {
        {"[P_PAGE]1\n[P_PICTURE]1\n", {PageChoice::Kind::phone, true}},
        {"[P_PAGE]1\n[P_PAGE]0\n", {PageChoice::Kind::legacy, false}},
        {"[P_PAGE]7\n[P_PICTURE]2\n", {}},
        {"[P_PAGE]\n[P_PICTURE]yes\n", {}},
        {"[P_PAGE]1x\n", {}},
        {"[P_PICTURE]1\n[P_PAGE]-1\n", {PageChoice::Kind::legacy, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        Game game;
        loadGameBytes(game, gameFileBytes(smallGame()) + plainExtras(c.lines), ReadAll);
        EXPECT_EQ(game.page, c.page);
    }
}

}  // namespace
}  // namespace scorvale
