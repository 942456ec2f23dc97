#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "text/cp932_backends.h"

namespace scorvale::sjis::detail {

namespace {

#include "text/cp932_table.inc"

constexpr char32_t kReplacement = 0xFFFD;

// The row of kDoubleByte for a lead byte, or -1.
int leadRow(unsigned char b) {
    if (b >= 0x81 && b <= 0x9F) return b - 0x81;
    if (b >= 0xE0 && b <= 0xFC) return b - 0xE0 + (0x9F - 0x81 + 1);
    return -1;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The next code point of well-formed UTF-8 (no overlong forms, surrogates or
// code points beyond U+10FFFF, as iconv reads it), or nothing.
std::optional<char32_t> nextCodePoint(std::string_view utf8, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(utf8[k]); };
    const unsigned char b = byte(i);
    if (b < 0x80) {
        ++i;
        return b;
    }
    std::size_t len = 0;
    char32_t c = 0, least = 0;
    if ((b & 0xE0) == 0xC0) len = 2, c = b & 0x1F, least = 0x80;
    else if ((b & 0xF0) == 0xE0) len = 3, c = b & 0x0F, least = 0x800;
    else if ((b & 0xF8) == 0xF0) len = 4, c = b & 0x07, least = 0x10000;
    else return std::nullopt;
    if (i + len > utf8.size()) return std::nullopt;
    for (std::size_t k = 1; k < len; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return std::nullopt;
        c = c << 6 | (byte(i + k) & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
    i += len;
    return c;
}

// Code point -> bytes (a value below 0x100 is one byte), sorted by code point:
// the first sequence that decodes to each character, then the overrides.
const std::vector<std::pair<char32_t, std::uint16_t>>& encodeTable() {
    static const auto table = [] {
        std::vector<std::pair<char32_t, std::uint16_t>> t;
        for (unsigned b = 0; b < 256; ++b)
            if (kSingleByte[b] != kNone) t.emplace_back(kSingleByte[b], static_cast<std::uint16_t>(b));
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            const int row = leadRow(static_cast<unsigned char>(lead));
            if (row < 0) continue;
            for (unsigned trail = kFirstTrail; trail <= kLastTrail; ++trail) {
                const char32_t c = kDoubleByte[row][trail - kFirstTrail];
                if (c != kNone) t.emplace_back(c, static_cast<std::uint16_t>(lead << 8 | trail));
            }
        }
        // Keeps the first of equal code points: the one in byte order.
        std::stable_sort(t.begin(), t.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        t.erase(std::unique(t.begin(), t.end(), [](const auto& a, const auto& b) { return a.first == b.first; }),
                t.end());
        for (const EncodeOverride& o : kEncodeOverrides) {
            auto at = std::lower_bound(t.begin(), t.end(), o.character,
                                       [](const auto& entry, char32_t c) { return entry.first < c; });
            if (at != t.end() && at->first == o.character) at->second = o.bytes;
            else t.insert(at, {o.character, o.bytes});
        }
        return t;
    }();
    return table;
}

bool dropped(char32_t c) {
    return std::any_of(std::begin(kDropped), std::end(kDropped),
                       [c](const CharacterRange& r) { return c >= r.first && c <= r.last; });
}

}  // namespace

std::string tableToUtf8(std::string_view sjis) {
    std::string out;
    out.reserve(sjis.size() * 3 / 2);
    for (std::size_t i = 0; i < sjis.size();) {
        const auto b = static_cast<unsigned char>(sjis[i]);
        if (kSingleByte[b] != kNone) {
            appendUtf8(out, kSingleByte[b]);
            ++i;
            continue;
        }
        const int row = leadRow(b);
        if (row >= 0 && i + 1 < sjis.size()) {
            const auto trail = static_cast<unsigned char>(sjis[i + 1]);
            if (trail >= kFirstTrail && trail <= kLastTrail && kDoubleByte[row][trail - kFirstTrail] != kNone) {
                appendUtf8(out, kDoubleByte[row][trail - kFirstTrail]);
                i += 2;
                continue;
            }
        }
        // One replacement per byte that starts no character, as iconv's
        // caller skips it.
        appendUtf8(out, kReplacement);
        ++i;
    }
    return out;
}

std::optional<std::string> tableFromUtf8(std::string_view utf8) {
    const auto& table = encodeTable();
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const std::optional<char32_t> c = nextCodePoint(utf8, i);
        if (!c) return std::nullopt;
        if (dropped(*c)) continue;
        const auto at = std::lower_bound(table.begin(), table.end(), *c,
                                         [](const auto& entry, char32_t x) { return entry.first < x; });
        if (at == table.end() || at->first != *c) return std::nullopt;
        if (at->second > 0xFF) out += static_cast<char>(at->second >> 8);
        out += static_cast<char>(at->second & 0xFF);
    }
    return out;
}

}  // namespace scorvale::sjis::detail
