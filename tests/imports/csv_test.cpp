#include <gtest/gtest.h>

#include <string>
#include <vector>

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
    for (const auto& c : cases) EXPECT_EQ(parseCsv(c.text), c.rows) << c.what;
}

struct ErrorCase {
    const char* what;
    std::string text;
    std::size_t line;
    std::size_t column;
    std::string reason;
};

TEST(ParseCsv, MalformedQuotesNameTheirPlace) {
    const std::string unclosed = "a quoted field is not closed";
    const std::string junk = "text after a closing quote";
    const ErrorCase cases[] = {
        {"unterminated at the start", "\"abc", 1, 1, unclosed},
        {"unterminated after lines", "a,b\nc,\"d\ne\n", 2, 2, unclosed},
        {"a lone quote at the end", "a,\"", 1, 2, unclosed},
        {"a doubled quote does not close", "\"a\"\"", 1, 1, unclosed},
        {"text after a closing quote", "x\n\"a\"b,c", 2, 1, junk},
        {"space after a closing quote", "a,\"b\" ,c", 1, 2, junk},
        {"junk on a later line of the field", "a\n\"b\nc\"d", 3, 1, junk},
    };
    for (const auto& c : cases) {
        try {
            parseCsv(c.text);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const CsvError& e) {
            EXPECT_EQ(e.line(), c.line) << c.what;
            EXPECT_EQ(e.column(), c.column) << c.what;
            EXPECT_EQ(e.reason(), c.reason) << c.what;
            EXPECT_EQ(e.what(), "line " + std::to_string(c.line) + ", column " + std::to_string(c.column) + ": " +
                                    c.reason)
                << c.what;
        }
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
