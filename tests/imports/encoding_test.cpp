#include <gtest/gtest.h>

#include <string>

#include "text/encoding.h"

namespace scorvale::text {
namespace {

struct DecodeCase {
    const char* what;
    std::string bytes;
    Encoding forced;
    std::string utf8;
    Encoding used;
};

// ﾌﾞﾗｼﾞﾙ in CP932 is five single bytes; 日本 is two double-byte characters.
const std::string kHalfWidthCp932 = "\xCC\xDE\xD7\xBC\xDE\xD9";
const std::string kHalfWidthUtf8 = "ﾌﾞﾗｼﾞﾙ";
const std::string kNihonCp932 = "\x93\xFA\x96\x7B";
const std::string kFffd = "\xEF\xBF\xBD";

TEST(DecodeText, DetectsOrHonoursTheEncoding) {
    const DecodeCase cases[] = {
        {"empty", "", Encoding::automatic, "", Encoding::utf8},
        {"ascii", "a,b\r\n", Encoding::automatic, "a,b\r\n", Encoding::utf8},
        {"bom dropped", "\xEF\xBB\xBF" "日本,x", Encoding::automatic, "日本,x", Encoding::utf8},
        {"bom only", "\xEF\xBB\xBF", Encoding::automatic, "", Encoding::utf8},
        {"plain utf-8", "ブラジル,日本", Encoding::automatic, "ブラジル,日本", Encoding::utf8},
        {"cp932 half-width katakana", kHalfWidthCp932 + ",1", Encoding::automatic, kHalfWidthUtf8 + ",1",
         Encoding::cp932},
        {"cp932 kanji", kNihonCp932, Encoding::automatic, "日本", Encoding::cp932},
        {"bom inside is kept", "a\xEF\xBB\xBF", Encoding::automatic, "a\xEF\xBB\xBF", Encoding::utf8},
        // Valid UTF-8 forced as CP932 reads as CP932 all the same.
        {"forced cp932 over utf-8 bytes", "日", Encoding::cp932, "譌" "\xEF\xBD\xA5", Encoding::cp932},
        {"forced utf-8 drops the bom", "\xEF\xBB\xBFx", Encoding::utf8, "x", Encoding::utf8},
        // Each byte that starts no valid sequence is one U+FFFD.
        {"forced utf-8 over cp932", kNihonCp932, Encoding::utf8, kFffd + kFffd + kFffd + "{", Encoding::utf8},
        {"bom then invalid stays utf-8", "\xEF\xBB\xBF" "a\xFF", Encoding::automatic, "a" + kFffd, Encoding::utf8},
        {"truncated sequence at the end", "\xE6\x97", Encoding::utf8, kFffd + kFffd, Encoding::utf8},
        {"undefined cp932 byte", "a\xA0" "b", Encoding::cp932, "a" + kFffd + "b", Encoding::cp932},
    };
    for (const auto& c : cases) {
        const DecodedText got = decodeText(c.bytes, c.forced);
        EXPECT_EQ(got.utf8, c.utf8) << c.what;
        EXPECT_EQ(got.encoding, c.used) << c.what;
        EXPECT_TRUE(isValidUtf8(got.utf8)) << c.what;
    }
}

TEST(DecodeText, ValidUtf8FollowsTheStandard) {
    const std::pair<std::string, bool> cases[] = {
        {"", true},
        {std::string("a\0b", 3), true},
        {"\xC2\x80", true},                 // U+0080, smallest two-byte form
        {"\xC1\xBF", false},                // overlong
        {"\xE0\x9F\xBF", false},            // overlong three-byte
        {"\xED\x9F\xBF", true},             // U+D7FF
        {"\xED\xA0\x80", false},            // a surrogate
        {"\xF0\x9F\x98\x80", true},         // an emoji
        {"\xF4\x8F\xBF\xBF", true},         // U+10FFFF
        {"\xF4\x90\x80\x80", false},        // beyond U+10FFFF
        {"\xF5\x80\x80\x80", false},
        {"\x80", false},                    // a lone trail byte
        {"\xE3\x81", false},                // cut short
        {"\xE3\x81" "a", false},
    };
    for (const auto& [bytes, valid] : cases) {
        EXPECT_EQ(isValidUtf8(bytes), valid) << testing::PrintToString(bytes);
        EXPECT_EQ(decodeText(bytes).encoding, valid ? Encoding::utf8 : Encoding::cp932)
            << testing::PrintToString(bytes);
    }
}

}  // namespace
}  // namespace scorvale::text
