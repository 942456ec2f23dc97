#pragma once

#include <optional>
#include <string>
#include <string_view>

// The two ways CP932 is converted: glibc's iconv where there is one, and a
// table made from it (text/make_cp932_table.py) where there is not. The build
// chooses one for sjis::toUtf8/fromUtf8; the tests hold them to each other.
// Both take and give the bytes as sjis:: does, before the mapping of the
// JIS-style code points.
namespace scorvale::sjis::detail {

std::string tableToUtf8(std::string_view sjis);
std::optional<std::string> tableFromUtf8(std::string_view utf8);

#ifndef _WIN32
std::string iconvToUtf8(std::string_view sjis);
std::optional<std::string> iconvFromUtf8(std::string_view utf8);
#endif

}  // namespace scorvale::sjis::detail
