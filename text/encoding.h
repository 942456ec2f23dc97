#pragma once

#include <string>
#include <string_view>

namespace scorvale::text {

// How the bytes of a text file are read. `automatic`: a UTF-8 BOM means
// UTF-8; without one, valid UTF-8 is UTF-8 and anything else CP932 (what
// Excel writes for Japanese).
enum class Encoding { automatic, utf8, cp932 };

struct DecodedText {
    std::string utf8;
    Encoding encoding;  // the one used: utf8 or cp932, never automatic
};

// A text file's bytes as UTF-8. A leading UTF-8 BOM is dropped unless CP932 is
// forced. Bytes the encoding cannot read become U+FFFD, one per byte, so the
// result is always valid UTF-8 (and such a text has no Shift-JIS form).
DecodedText decodeText(std::string_view bytes, Encoding encoding = Encoding::automatic);

// True when `bytes` is well-formed UTF-8 (no overlong forms, surrogates or
// code points beyond U+10FFFF).
bool isValidUtf8(std::string_view bytes);

// `bytes` with every byte that does not begin a well-formed UTF-8 sequence
// replaced by U+FFFD.
std::string repairUtf8(std::string_view bytes);

}  // namespace scorvale::text
