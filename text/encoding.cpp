#include "text/encoding.h"

#include "text/sjis_codec.h"

namespace scorvale::text {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

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

}  // namespace

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

DecodedText decodeText(std::string_view bytes, Encoding encoding) {
    if (encoding == Encoding::cp932) return {sjis::toUtf8(bytes), Encoding::cp932};
    const bool bom = bytes.starts_with(kBom);
    if (bom) bytes.remove_prefix(kBom.size());
    const bool valid = isValidUtf8(bytes);
    // A BOM declares UTF-8: invalid bytes after it are damage, not CP932.
    if (encoding == Encoding::automatic && !bom && !valid) return {sjis::toUtf8(bytes), Encoding::cp932};
    return {valid ? std::string(bytes) : repairUtf8(bytes), Encoding::utf8};
}

}  // namespace scorvale::text
