#pragma once

#include <string>
#include <string_view>

namespace scorvale::text {

// `utf8` without the spaces around it: ASCII blanks, tabs and U+3000
// IDEOGRAPHIC SPACE. Inner spaces stay. Views the argument.
std::string_view trimSpaces(std::string_view utf8);

// The form names are compared in: Unicode NFKC with case folding (default
// ignorable characters dropped), then trimmed as trimSpaces does. ﾌﾞﾗｼﾞﾙ and
// ブラジル, "ＪＡＰＡＮ" and "japan " give one form. Invalid UTF-8 bytes count as
// U+FFFD each, as decodeText reads them.
std::string normalizeName(std::string_view utf8);

}  // namespace scorvale::text
