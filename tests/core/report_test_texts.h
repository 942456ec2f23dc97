#pragma once

#include <string>

#include "text/sjis_codec.h"

namespace scorvale::testing {

// The page tests type their texts in UTF-8; the game holds them as Shift-JIS.
inline std::string sj(const char* utf8) { return sjis::fromUtf8(utf8).value(); }

// A golden file of the pages.
inline std::string reportFixturePath(const std::string& name) {
    return std::string(SCORVALE_FIXTURES_DIR) + "/report/" + name;
}

}  // namespace scorvale::testing
