#include <gtest/gtest.h>

#include <string>

#include "text/normalize.h"

namespace scorvale::text {
namespace {

// Pairs of names that must, or must not, compare equal.
TEST(NormalizeName, GivesOneFormForTheWaysANameIsWritten) {
    const struct {
        std::string a, b;
        bool same;
    } cases[] = {
        {"ﾌﾞﾗｼﾞﾙ", "ブラジル", true},                     // half-width katakana, voiced marks composed
        {"ﾎﾟﾙﾄｶﾞﾙ", "ポルトガル", true},                  // semi-voiced mark
        {"\xE3\x83\x95\xE3\x82\x99ラジル", "ブラジル", true},  // フ and a combining voiced mark
        {"brazil ", "Brazil", true},
        {"ＪＡＰＡＮ", "japan", true},                     // full-width Latin
        {"\t　日本　 ", "日本", true},                     // tabs, blanks and U+3000 around
        {"Cote d'Ivoire", "COTE D'IVOIRE", true},
        {"Korea\xE2\x80\x8B Republic", "korea republic", true},  // a zero-width space is ignorable
        {"Co\xCC\x82te d'Ivoire", "Côte d'Ivoire", true},  // a combining and a precomposed accent
        {"Costa　Rica", "costa rica", true},               // an inner U+3000 is a space
        {"Costa Rica", "CostaRica", false},                // inner spaces stay
        {"Côte d'Ivoire", "Cote d'Ivoire", false},         // accents stay
        {"ブラジル", "ぶらじる", false},                    // katakana is not hiragana
        {"Costa  Rica", "Costa Rica", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(normalizeName(c.a) == normalizeName(c.b), c.same) << c.a << " / " << c.b;
}

TEST(NormalizeName, Forms) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"　 ", ""},
        {" ﾆｯﾎﾟﾝ ", "ニッポン"},
        {"ＵＳＡ", "usa"},
        {"Türkiye", "türkiye"},
        {"①", "1"},
        {"a\xFF" "b", "a\xEF\xBF\xBD" "b"},  // an invalid byte reads as U+FFFD
        {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // an encoded surrogate: three bytes, three U+FFFD
        {std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(normalizeName(in), out) << in;
}

TEST(TrimSpaces, RemovesOnlyTheSpacesAround) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {" \t", ""},
        {"　", ""},
        {"　山田　太郎 ", "山田　太郎"},   // the inner U+3000 stays
        {" Taro  Yamada\t", "Taro  Yamada"},
        {"ﾔﾏﾀﾞ", "ﾔﾏﾀﾞ"},                  // not normalised
        {"\xE3\x80", "\xE3\x80"},         // a cut U+3000 is not a space
        {"\n a \r", "\n a \r"},           // only blanks, tabs and U+3000
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(trimSpaces(in), out) << in;
}

}  // namespace
}  // namespace scorvale::text
