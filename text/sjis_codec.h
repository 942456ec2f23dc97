#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace scorvale::sjis {

// Shift-JIS (CP932) bytes to UTF-8. A byte sequence CP932 does not define
// becomes U+FFFD, one per undecodable byte.
std::string toUtf8(std::string_view sjis);

// UTF-8 to CP932 bytes, or nothing when a character has no CP932 form. The
// JIS-style code points an input method may give (U+301C, U+2016, U+2212,
// U+2014, U+00A2, U+00A3, U+00AC) are first mapped to their CP932 forms.
std::optional<std::string> fromUtf8(std::string_view utf8);

}  // namespace scorvale::sjis
