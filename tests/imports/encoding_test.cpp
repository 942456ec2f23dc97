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
        // Excel's "Unicode text": UTF-16 little-endian after its mark.
        {"utf-16le with a bom", std::string("\xFF\xFE\xE5\x65\x2C\x67\x09\x00\x61\x00", 10), Encoding::automatic,
         "日本\ta", Encoding::utf16},
        {"utf-16be with a bom", std::string("\xFE\xFF\x65\xE5\x00\x61", 6), Encoding::automatic, "日a",
         Encoding::utf16},
        {"utf-16 forced without a bom is little-endian", std::string("a\0b\0", 4), Encoding::utf16, "ab",
         Encoding::utf16},
        {"a surrogate pair, an unpaired one and an odd last byte", std::string("\xFF\xFE\x3D\xD8\x00\xDE\x00\xD8x\0y", 11),
         Encoding::automatic, "😀" + kFffd + "x" + kFffd, Encoding::utf16},
        {"utf-16le without a bom, by its zero bytes", std::string("n\0a\0m\0e\0\r\0\n\0\xE5\x65\x2C\x67", 16),
         Encoding::automatic, "name\r\n日本", Encoding::utf16},
        // Mostly UTF-8: the stray CP932 bytes become U+FFFD, the rest stays.
        {"utf-8 names with one cp932 cell", "日本,ブラジル,ドイツ\n" + kNihonCp932 + ",x\n", Encoding::automatic,
         "日本,ブラジル,ドイツ\n" + kFffd + kFffd + kFffd + "{,x\n", Encoding::utf8},
    };
    for (const auto& c : cases) {
        const DecodedText got = decodeText(c.bytes, c.forced);
        EXPECT_EQ(got.utf8, c.utf8) << c.what;
        EXPECT_EQ(got.encoding, c.used) << c.what;
        EXPECT_TRUE(isValidUtf8(got.utf8)) << c.what;
    }
}

// The encoding of a file decided on all of it, and why.
TEST(ChooseEncoding, WeighsTheWholeFile) {
    using Reason = EncodingChoice::Reason;
    // The form export of the report: UTF-8 names and picks, one comment
    // typed in CP932.
    const std::string formUtf8 =
        "タイムスタンプ,お名前,1位,2位\n2026/06/01 12:00,佐々木 花子,ブラジル,日本\n2026/06/01 13:00,大野 一郎,ドイツ,"
        "韓国\n";
    const std::string cp932Comment = "\x8A\x79\x82\xB5\x82\xDD";  // 楽しみ
    // A CP932 file of half-width katakana, where chance makes some pairs UTF-8.
    const std::string halfWidth = "\xCC\xDE\xD7\xBC\xDE\xD9,\xC4\xB1,\xC4\xB1\xC4\xB1";  // ﾌﾞﾗｼﾞﾙ,ﾄｱ,ﾄｱﾄｱ
    const struct {
        const char* what;
        std::string bytes;
        Encoding forced;
        Encoding encoding;
        Reason reason;
        std::size_t utf8Characters;
        std::size_t otherBytes;
    } cases[] = {
        {"ascii", "a,b\n", Encoding::automatic, Encoding::utf8, Reason::allUtf8, 0, 0},
        {"utf-8", formUtf8, Encoding::automatic, Encoding::utf8, Reason::allUtf8, 32, 0},
        {"utf-8 and one cp932 comment", formUtf8 + "x,y,z,w," + cp932Comment + "\n", Encoding::automatic,
         Encoding::utf8, Reason::mostlyUtf8, 32, 5},
        {"cp932 through and through", kNihonCp932 + ",\x83\x75\x83\x89\x83\x57\x83\x8B", Encoding::automatic,
         Encoding::cp932, Reason::noUtf8, 0, 9},
        // Four two-byte characters weigh four, against four bytes that are not UTF-8.
        {"cp932 whose katakana pairs happen to be utf-8", halfWidth, Encoding::automatic, Encoding::cp932,
         Reason::mostlyCp932, 4, 4},
        {"a utf-8 bom decides", "\xEF\xBB\xBF" + kNihonCp932, Encoding::automatic, Encoding::utf8,
         Reason::byteOrderMark, 0, 3},
        {"forced", formUtf8, Encoding::cp932, Encoding::cp932, Reason::forced, 0, 0},
        {"forced utf-8 still counts", kNihonCp932, Encoding::utf8, Encoding::utf8, Reason::forced, 0, 3},
        {"a utf-16 bom", std::string("\xFF\xFE" "a\0", 4), Encoding::automatic, Encoding::utf16, Reason::byteOrderMark, 0, 0},
        {"zero bytes too few to tell", std::string("a\0b", 3), Encoding::automatic, Encoding::utf8, Reason::allUtf8, 0, 0},
    };
    for (const auto& c : cases) {
        const EncodingChoice got = chooseEncoding(c.bytes, c.forced);
        EXPECT_EQ(got.encoding, c.encoding) << c.what;
        EXPECT_EQ(got.reason, c.reason) << c.what;
        EXPECT_EQ(got.utf8Characters, c.utf8Characters) << c.what;
        EXPECT_EQ(got.otherBytes, c.otherBytes) << c.what;
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
