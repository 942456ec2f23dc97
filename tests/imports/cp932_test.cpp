#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "text/cp932_backends.h"
#include "text/sjis_codec.h"

// The Shift-JIS codec over all of CP932, both ways. Fingerprints of what
// Debian's iconv CP932 gives hold every build to the same bytes: on Linux the
// codec is iconv, so the test proves the fingerprints; on Windows the codec
// is the table made from iconv, checked under Wine. On Linux the table is
// also held to iconv input by input, which names any difference.
namespace scorvale::sjis {
namespace {

// FNV-1a, 64 bits.
class Fingerprint {
public:
    void add(std::string_view bytes) {
        for (const char c : bytes) hash_ = (hash_ ^ static_cast<unsigned char>(c)) * 0x100000001B3ULL;
    }
    std::uint64_t value() const { return hash_; }

private:
    std::uint64_t hash_ = 0xCBF29CE484222325ULL;
};

// Every one- and two-byte sequence, in order.
template <typename Visit>
void forEachShortSequence(Visit visit) {
    for (int a = 0; a < 256; ++a) visit(std::string(1, static_cast<char>(a)));
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; ++b) visit(std::string{static_cast<char>(a), static_cast<char>(b)});
}

std::string utf8Of(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | c >> 6);
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | c >> 12);
        s += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | c >> 18);
        s += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        s += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

// Every Unicode scalar value, as UTF-8.
template <typename Visit>
void forEachCharacter(Visit visit) {
    for (char32_t c = 0; c <= 0x10FFFF; ++c)
        if (c < 0xD800 || c > 0xDFFF) visit(c, utf8Of(c));
}

// Made on Debian 12 (glibc 2.36) by this test with the iconv codec.
constexpr std::uint64_t kDecodedFingerprint = 0x0DCCBF62F7253552;
constexpr std::uint64_t kEncodedFingerprint = 0xCD84C6243A479A83;

TEST(Cp932, DecodesEverySequenceAsIconvDoes) {
    Fingerprint fp;
    forEachShortSequence([&](const std::string& bytes) {
        fp.add(toUtf8(bytes));
        fp.add("\xFF");  // never in UTF-8
    });
    EXPECT_EQ(fp.value(), kDecodedFingerprint) << std::hex << fp.value();
}

TEST(Cp932, EncodesEveryCharacterAsIconvDoes) {
    Fingerprint fp;
    forEachCharacter([&](char32_t, const std::string& utf8) {
        const std::optional<std::string> bytes = fromUtf8(utf8);
        // 0xFD..0xFF are never CP932 output.
        fp.add(bytes ? *bytes + "\xFE" : std::string("\xFF"));
    });
    EXPECT_EQ(fp.value(), kEncodedFingerprint) << std::hex << fp.value();
}

// Where a sequence stops short or a UTF-8 text is malformed, the two builds
// must also agree; these are the cases that depend on the converter's loop
// rather than on its table.
TEST(Cp932, MalformedInput) {
    const std::string fffd = "\xEF\xBF\xBD";
    const struct {
        const char* what;
        std::string sjis;
        std::string utf8;
    } decodes[] = {
        {"lead byte at the end", "a\x93", "a" + fffd},
        {"lead byte before a byte no pair ends in", "\x93 ", fffd + " "},
        {"lead byte before DEL", "\x93\x7F", fffd + "\x7F"},
        {"unassigned pair", "\x85\x40", fffd + "@"},
        {"bytes that are never characters", "\x80\xA0\xFD\xFE\xFF", fffd + fffd + fffd + fffd + fffd},
        {"user-defined area", "\xF0\x40", "\xEE\x80\x80"},
        {"NEC and IBM rows", "\x87\x40\xFA\x40\xED\x40", "①ⅰ纊"},
    };
    for (const auto& c : decodes) EXPECT_EQ(toUtf8(c.sjis), c.utf8) << c.what;

    const struct {
        const char* what;
        std::string utf8;
        std::optional<std::string> sjis;
    } encodes[] = {
        {"overlong", "\xC0\x80", std::nullopt},
        {"surrogate", "\xED\xA0\x80", std::nullopt},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", std::nullopt},
        {"cut short", "a\xE6\x97", std::nullopt},
        {"lone continuation byte", "\x80", std::nullopt},
        {"no CP932 form", "😀", std::nullopt},
        {"tag characters are left out", "a\xF3\xA0\x80\x81" "b", "ab"},
        {"the first of duplicates", "∵≒¬", "\x81\xE6\x81\xE0\x81\xCA"},
        {"IBM row for small roman numerals", "ⅰ", "\xFA\x40"},
        {"yen sign one way", "¥", "\x5C"},
        {"JIS-style forms mapped", "〜‖−—¢£¬", "\x81\x60\x81\x61\x81\x7C\x81\x5C\x81\x91\x81\x92\x81\xCA"},
        {"empty", "", ""},
    };
    for (const auto& c : encodes) EXPECT_EQ(fromUtf8(c.utf8), c.sjis) << c.what;
}

#ifndef _WIN32
std::string hex(std::string_view bytes) {
    std::string out;
    char buffer[4];
    for (const char c : bytes) {
        std::snprintf(buffer, sizeof buffer, "%02X ", static_cast<unsigned char>(c));
        out += buffer;
    }
    return out;
}

// The table the Windows build converts with, input by input against iconv.
TEST(Cp932, TableEqualsIconv) {
    int differences = 0;
    forEachShortSequence([&](const std::string& bytes) {
        const std::string table = detail::tableToUtf8(bytes), iconv = detail::iconvToUtf8(bytes);
        if (table != iconv && ++differences <= 10)
            ADD_FAILURE() << "decoding " << hex(bytes) << ": table " << hex(table) << ", iconv " << hex(iconv);
    });
    forEachCharacter([&](char32_t c, const std::string& utf8) {
        const auto table = detail::tableFromUtf8(utf8), iconv = detail::iconvFromUtf8(utf8);
        if (table != iconv && ++differences <= 20)
            ADD_FAILURE() << "encoding U+" << std::hex << static_cast<std::uint32_t>(c) << ": table "
                          << (table ? hex(*table) : "none") << ", iconv " << (iconv ? hex(*iconv) : "none");
    });
    EXPECT_EQ(differences, 0);
}
#endif

}  // namespace
}  // namespace scorvale::sjis
