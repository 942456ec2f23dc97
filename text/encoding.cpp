#include "text/encoding.h"

#include <algorithm>
#include <optional>

#include "text/sjis_codec.h"

namespace scorvale::text {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
// Zero bytes are looked for in this much of the file's start.
constexpr std::size_t kZeroWindow = 4096;

bool isTrail(unsigned char b) { return (b & 0xC0) == 0x80; }

// Length of the well-formed UTF-8 sequence at `at`, or 0 when none starts
// there (the ranges of the Unicode standard's table of well-formed bytes).
std::size_t sequenceLength(std::string_view s, std::size_t at) {
    const auto b0 = static_cast<unsigned char>(s[at]);
    if (b0 < 0x80) return 1;
    const std::size_t left = s.size() - at;
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[at + k]); };
    if (b0 >= 0xC2 && b0 <= 0xDF) return left >= 2 && isTrail(byte(1)) ? 2 : 0;
    if (b0 >= 0xE0 && b0 <= 0xEF) {
        if (left < 3 || !isTrail(byte(1)) || !isTrail(byte(2))) return 0;
        if (b0 == 0xE0 && byte(1) < 0xA0) return 0;  // overlong
        if (b0 == 0xED && byte(1) > 0x9F) return 0;  // surrogate
        return 3;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
        if (left < 4 || !isTrail(byte(1)) || !isTrail(byte(2)) || !isTrail(byte(3))) return 0;
        if (b0 == 0xF0 && byte(1) < 0x90) return 0;  // overlong
        if (b0 == 0xF4 && byte(1) > 0x8F) return 0;  // beyond U+10FFFF
        return 4;
    }
    return 0;
}

// Zero bytes at even and at odd offsets of the file's start: UTF-16 text
// has one in every ASCII character, on the side its byte order puts it.
std::optional<bool> utf16ByZeros(std::string_view bytes) {
    const std::size_t window = std::min(bytes.size(), kZeroWindow) & ~std::size_t{1};
    std::size_t even = 0;
    std::size_t odd = 0;
    for (std::size_t k = 0; k < window; ++k)
        if (bytes[k] == '\0') ++(k % 2 == 0 ? even : odd);
    const std::size_t units = window / 2;
    if (std::max(even, odd) < 4) return std::nullopt;  // too little to tell
    if (odd * 8 >= units && even * 8 <= odd) return false;  // little-endian
    if (even * 8 >= units && odd * 8 <= even) return true;   // big-endian
    return std::nullopt;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

EncodingChoice chooseEncoding(std::string_view bytes, Encoding encoding) {
    using Reason = EncodingChoice::Reason;
    EncodingChoice choice;
    const bool forced = encoding != Encoding::automatic;
    if (forced) choice.reason = Reason::forced;
    const auto utf16 = [&](bool bigEndian, std::size_t bom, Reason reason) {
        choice.encoding = Encoding::utf16;
        choice.bigEndian = bigEndian;
        choice.bomSize = bom;
        if (!forced) choice.reason = reason;
        return choice;
    };
    if (encoding == Encoding::automatic || encoding == Encoding::utf16) {
        if (bytes.starts_with(kUtf16LeBom)) return utf16(false, 2, Reason::byteOrderMark);
        if (bytes.starts_with(kUtf16BeBom)) return utf16(true, 2, Reason::byteOrderMark);
        if (encoding == Encoding::utf16) return utf16(false, 0, Reason::forced);
        if (const auto bigEndian = utf16ByZeros(bytes)) return utf16(*bigEndian, 0, Reason::utf16Zeros);
    }
    if (encoding == Encoding::cp932) {
        choice.encoding = Encoding::cp932;
        return choice;
    }
    if (bytes.starts_with(kUtf8Bom)) {
        choice.bomSize = kUtf8Bom.size();
        if (!forced) choice.reason = Reason::byteOrderMark;
    }
    // The evidence: UTF-8 characters beyond ASCII against bytes that begin none.
    std::size_t weight = 0;
    for (std::size_t at = choice.bomSize; at < bytes.size();) {
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            ++at;
            continue;
        }
        const std::size_t len = sequenceLength(bytes, at);
        if (len == 0) {
            ++choice.otherBytes;
            ++at;
            continue;
        }
        ++choice.utf8Characters;
        weight += len == 2 ? 1 : 3;
        at += len;
    }
    if (forced || choice.bomSize > 0 || choice.otherBytes == 0) {
        if (!forced && choice.bomSize == 0) choice.reason = Reason::allUtf8;
        choice.encoding = Encoding::utf8;
        return choice;
    }
    if (weight > choice.otherBytes) {
        choice.encoding = Encoding::utf8;
        choice.reason = Reason::mostlyUtf8;
        return choice;
    }
    choice.encoding = Encoding::cp932;
    choice.reason = choice.utf8Characters == 0 ? Reason::noUtf8 : Reason::mostlyCp932;
    return choice;
}

bool isValidUtf8(std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
        // ASCII runs are by far the most common; skip them a byte at a time
        // without the table.
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            ++at;
            continue;
        }
        const std::size_t len = sequenceLength(bytes, at);
        if (len == 0) return false;
        at += len;
    }
    return true;
}

std::string repairUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t len = sequenceLength(bytes, at);
        if (len == 0) {
            out += kReplacement;
            ++at;
        } else {
            out.append(bytes.substr(at, len));
            at += len;
        }
    }
    return out;
}

std::string utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    const auto unit = [&](std::size_t at) -> char16_t {
        const auto a = static_cast<unsigned char>(bytes[at]);
        const auto b = static_cast<unsigned char>(bytes[at + 1]);
        return static_cast<char16_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
    };
    std::size_t at = 0;
    for (; at + 1 < bytes.size(); at += 2) {
        const char16_t u = unit(at);
        if (u >= 0xD800 && u <= 0xDBFF && at + 3 < bytes.size()) {
            const char16_t low = unit(at + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (low - 0xDC00));
                at += 2;
                continue;
            }
        }
        if (u >= 0xD800 && u <= 0xDFFF) out += kReplacement;
        else appendUtf8(out, u);
    }
    if (at < bytes.size()) out += kReplacement;
    return out;
}

DecodedText decodeText(std::string_view bytes, Encoding encoding) {
    const EncodingChoice choice = chooseEncoding(bytes, encoding);
    bytes.remove_prefix(choice.bomSize);
    switch (choice.encoding) {
        case Encoding::utf16: return {utf16ToUtf8(bytes, choice.bigEndian), Encoding::utf16, choice};
        case Encoding::cp932: return {sjis::toUtf8(bytes), Encoding::cp932, choice};
        default: break;
    }
    return {isValidUtf8(bytes) ? std::string(bytes) : repairUtf8(bytes), Encoding::utf8, choice};
}

}  // namespace scorvale::text
