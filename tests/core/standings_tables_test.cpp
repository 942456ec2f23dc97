#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lists/list_columns.h"
#include "lists/standings_tables.h"
#include "text/csv.h"
#include "text/sjis_codec.h"

namespace scorvale {
namespace {

std::string sj(const char* utf8) { return *sjis::fromUtf8(utf8); }

// Two teams and two members whose cells hold what CSV must quote or guard.
Game tableGame() {
    Game game;
    Team brazil;
    brazil.name = sj("ブラジル");
    brazil.group = "C";
    brazil.rank = 1;
    brazil.goalDiff = 8;
    brazil.qualify = 1;
    brazil.date = "02/06/30";
    game.addTeam(brazil);
    Team odd;
    odd.name = "A, \"B\"";
    odd.group = "x\r\ny";
    odd.rank = 2;
    odd.goalDiff = -3;
    odd.out = 1;
    game.addTeam(odd);
    Member m;
    m.name = "=HYPERLINK(\"http://x\")";
    m.score = 747;
    m.rank = 1;
    m.appendVote(sj("ブラジル"));
    game.addMember(m);
    Member none;
    none.name = sj("佐藤");
    none.score = -5;
    none.rank = 2;
    game.addMember(none);
    return game;
}

template <typename Columns>
std::vector<std::string> captions(const Columns& columns) {
    std::vector<std::string> out;
    for (const auto& c : columns) out.emplace_back(c.caption);
    return out;
}

// Read back by a CSV reader: a BOM, the lists' captions, every cell in the
// lists' order and numbers written bare.
TEST(StandingsCsv, ReadsBackWithTheListsColumns) {
    const std::string csv = lists::standingsCsv(tableGame());
    ASSERT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    // Every line ends in CR LF; the tables are apart by an empty line.
    EXPECT_EQ(csv.substr(csv.size() - 2), "\r\n");
    EXPECT_NE(csv.find("\r\n\r\n" + std::string(lists::kMemberColumns[0].caption)), std::string::npos);
    EXPECT_EQ(csv.find("\n\n"), std::string::npos);

    const std::vector<text::CsvRow> rows = text::parseCsv(std::string_view(csv).substr(3));
    ASSERT_EQ(rows.size(), 1u + 2u + 1u + 2u);
    using Fields = std::vector<std::string>;
    EXPECT_EQ(rows[0].fields, captions(lists::kTeamColumns));
    EXPECT_EQ(rows[1].fields, (Fields{"ブラジル", "C", "1", "T", "0", "0", "0", "0", "0", "0", "0", "8", "0", "02/06/30"}));
    EXPECT_EQ(rows[2].fields, (Fields{"A, \"B\"", "x\r\ny", "2", "D", "0", "0", "0", "0", "0", "0", "0", "-3", "0", ""}));
    EXPECT_EQ(rows[3].fields, captions(lists::kMemberColumns));
    EXPECT_EQ(rows[4].fields, (Fields{"'=HYPERLINK(\"http://x\")", "1", "747", "ブラジル", ""}));
    EXPECT_EQ(rows[5].fields, (Fields{"佐藤", "2", "-5", "", ""}));
    // Numbers are never quoted, so a spreadsheet keeps them numbers.
    EXPECT_NE(csv.find(",2,D,0,0,0,0,0,0,0,-3,0,\r\n"), std::string::npos);
    EXPECT_NE(csv.find(",2,-5,,\r\n"), std::string::npos);
}

// A text a spreadsheet would run as a formula is kept as text; the same
// characters inside a text are left alone.
TEST(StandingsCsv, FormulaLikeTextsAreGuarded) {
    const struct {
        std::string name;
        std::string cell;
    } cases[] = {
        {"=1+1", "\"'=1+1\""},
        {"+81 3", "\"'+81 3\""},
        {"-", "\"'-\""},
        {"@SUM(A1)", "\"'@SUM(A1)\""},
        {"\tx", "\"'\tx\""},
        {"a=b-c", "a=b-c"},
        {"", ""},
    };
    for (const auto& c : cases) {
        Game game;
        Member m;
        m.name = c.name;
        game.addMember(m);
        const std::string csv = lists::standingsCsv(game);
        const std::string memberHeader = "参加者,順位,得点,筆頭候補,最終更新\r\n";
        const std::size_t at = csv.find(memberHeader);
        ASSERT_NE(at, std::string::npos);
        EXPECT_EQ(csv.substr(at + memberHeader.size()), c.cell + ",0,0,,\r\n") << c.name;
    }
}

}  // namespace
}  // namespace scorvale
