#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/imports/print_problems.h"
#include "text/csv.h"

namespace scorvale::text {
namespace {

struct ParseCase {
    const char* what;
    std::string text;
    std::vector<CsvRow> rows;
};

TEST(ParseCsv, ReadsRecords) {
    const ParseCase cases[] = {
        {"empty text", "", {}},
        {"one field", "a", {{1, {"a"}}}},
        {"lf line ends", "a,b\nc,d\n", {{1, {"a", "b"}}, {2, {"c", "d"}}}},
        {"cr lf line ends", "a,b\r\nc,d\r\n", {{1, {"a", "b"}}, {2, {"c", "d"}}}},
        {"lone cr line ends", "a\rb\r", {{1, {"a"}}, {2, {"b"}}}},
        {"last line without a line end", "a\r\nb,c", {{1, {"a"}}, {2, {"b", "c"}}}},
        {"empty fields", ",a,,\n,", {{1, {"", "a", "", ""}}, {2, {"", ""}}}},
        {"empty lines are skipped and counted", "\n\r\na\n\n\r\nb\n\n",
         {{3, {"a"}}, {6, {"b"}}}},
        {"an empty quoted field is a record", "\"\"\n", {{1, {""}}}},
        {"quoted commas", "\"a,b\",c", {{1, {"a,b", "c"}}}},
        {"doubled quotes", "\"say \"\"hi\"\"\",\"\"\"\"", {{1, {"say \"hi\"", "\""}}}},
        {"line breaks in quotes are kept and counted", "\"a\nb\",c\r\n\"d\r\ne\r\nf\"\ng",
         {{1, {"a\nb", "c"}}, {3, {"d\r\ne\r\nf"}}, {6, {"g"}}}},
        {"a quote inside an unquoted field is a character", "a\"b,c\"", {{1, {"a\"b", "c\""}}}},
        {"spaces stay", " a , \"b\"", {{1, {" a ", " \"b\""}}}},
        {"quoted field last, no line end", "a,\"b\"", {{1, {"a", "b"}}}},
        {"utf-8 and nul bytes pass through", std::string("日本,\"ﾌﾞ\0ﾗ\"", 19),
         {{1, {"日本", std::string("ﾌﾞ\0ﾗ", 10)}}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseCsv(c.text), c.rows) << c.what;
        // The table holds the same cells, without trailing empty ones and
        // records of empty cells only.
        const CsvTable table = readCsvTable(c.text, ',');
        std::size_t row = 0;
        for (const CsvRow& expected : c.rows) {
            const auto last = std::find_if(expected.fields.rbegin(), expected.fields.rend(),
                                           [](const std::string& f) { return !f.empty(); });
            const auto width = static_cast<std::size_t>(expected.fields.rend() - last);
            if (width == 0) continue;
            ASSERT_LT(row, table.rowCount()) << c.what;
            EXPECT_EQ(table.line(row), expected.line) << c.what;
            EXPECT_EQ(table.width(row), width) << c.what;
            for (std::size_t k = 0; k < expected.fields.size() + 2; ++k)
                EXPECT_EQ(table.cell(row, k + 1), k < expected.fields.size() ? expected.fields[k] : "") << c.what;
            ++row;
        }
        EXPECT_EQ(table.rowCount(), row) << c.what;
    }
}

TEST(ParseCsv, OtherSeparators) {
    EXPECT_EQ(parseCsv("M\xC3\xBCller, Thomas;Japan;\"a;b\"\r\n", ';'),
              (std::vector<CsvRow>{{1, {"M\xC3\xBCller, Thomas", "Japan", "a;b"}}}));
    EXPECT_EQ(parseCsv("a,b\tc\t\"d\te\"\n", '\t'), (std::vector<CsvRow>{{1, {"a,b", "c", "d\te"}}}));
}

// A million empty columns after a record's cells cost nothing; a cell
// beyond the limit is refused where it is.
TEST(CsvTable, TrailingEmptyColumnsCostNothingAndTheLimitNamesItsPlace) {
    const std::string commas(1000000, ',');
    const CsvTable table = readCsvTable("name,1,2" + commas + "\nyamada,Japan" + commas + "\n" + commas + "\n", ',', 10);
    ASSERT_EQ(table.rowCount(), 2u);
    EXPECT_EQ(table.columnCount(), 3u);
    EXPECT_EQ(table.width(1), 2u);
    EXPECT_EQ(table.cell(1, 2), "Japan");
    EXPECT_LT(table.footprint(), 1000u);

    try {
        readCsvTable("a,b\n\"x\ny\",,,,,,,,,,z,,,\n", ',', 10);
        ADD_FAILURE() << "no error";
    } catch (const InputError& e) {
        EXPECT_EQ(e.problem(), (InputProblem{InputProblem::Kind::tooManyColumns, 2, 11, {}, 10}));
    }
}

TEST(DetectSeparator, FindsTheOneOnMostLines) {
    const std::pair<const char*, Separator> cases[] = {
        {"", Separator::comma},
        {"name only\nyamada\n", Separator::comma},
        {"a,b,c\nd,e,f\n", Separator::comma},
        {"Name;Tip 1;Tip 2\nM\xC3\xBCller, Thomas;Japan;Brazil\nSchmidt;Japan;Korea, Republic\n", Separator::semicolon},
        {"\xE6\xB0\x8F\xE5\x90\x8D\t1\t2\r\nyamada\tJapan\t\"Korea, Republic\"\r\nsuzuki\tBrazil\tJapan\r\n",
         Separator::tab},
        // Separators inside quotes do not count, line breaks inside them neither.
        {"\"a;b;c\",x\n\"d;\ne;f\",y\n", Separator::comma},
        // A comment with commas on one line against semicolons on all.
        {"n;a;b\nx;y;z, w, v\np;q;r\n", Separator::semicolon},
        // Each on every line: the one found as often on each line.
        {"a;b,c;d\ne;f,g,h;i\n", Separator::semicolon},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(detectSeparator(text), expected) << text;
}

struct ErrorCase {
    const char* what;
    std::string text;
    std::size_t line;
    std::size_t column;
    std::string reason;
};

TEST(ParseCsv, MalformedQuotesNameTheirPlace) {
    using Kind = InputProblem::Kind;
    const struct {
        const char* what;
        std::string text;
        std::size_t line;
        std::size_t column;
        Kind kind;
        std::string message;
    } cases[] = {
        {"unterminated at the start", "\"abc", 1, 1, Kind::unclosedQuote, "line 1, column 1: a quoted field is not closed"},
        {"unterminated after lines", "a,b\nc,\"d\ne\n", 2, 2, Kind::unclosedQuote, ""},
        {"a lone quote at the end", "a,\"", 1, 2, Kind::unclosedQuote, ""},
        {"a doubled quote does not close", "\"a\"\"", 1, 1, Kind::unclosedQuote, ""},
        {"text after a closing quote", "x\n\"a\"b,c", 2, 1, Kind::textAfterQuote,
         "line 2, column 1: text after a closing quote"},
        {"space after a closing quote", "a,\"b\" ,c", 1, 2, Kind::textAfterQuote, ""},
        {"junk on a later line of the field", "a\n\"b\nc\"d", 3, 1, Kind::textAfterQuote, ""},
    };
    for (const auto& c : cases) {
        try {
            parseCsv(c.text);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const InputError& e) {
            EXPECT_EQ(e.problem(), (InputProblem{c.kind, c.line, c.column, {}, 0})) << c.what;
            if (!c.message.empty()) EXPECT_EQ(e.what(), c.message) << c.what;
        }
        // The table reader fails alike.
        EXPECT_THROW(readCsvTable(c.text, ','), InputError) << c.what;
    }
}

// Many doubled quotes and line breaks in one field: each is one character or
// one line, and the next record starts on the right line.
TEST(ParseCsv, CountsEveryLineOfALongQuotedField) {
    std::string text = "\"";
    std::string expected;
    for (int k = 0; k < 20000; ++k) {
        text += "\"\"\r\n";
        expected += "\"\r\n";
    }
    text += "\"\nlast";
    const auto rows = parseCsv(text);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].fields[0], expected);
    EXPECT_EQ(rows[1].line, 20002u);
}

}  // namespace
}  // namespace scorvale::text
