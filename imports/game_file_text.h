#pragma once

#include <string_view>

#include "gamefile/file_lines.h"

namespace scorvale::imports {

// The first tag of the game file that the Shift-JIS text `sjis` holds, or an
// empty view. The reader finds a tag anywhere in a line and a text is written
// unescaped, so a name holding "[T_NAME]" or "[ALL_END]" would come back from
// a save as something else; an import refuses such a text.
constexpr std::string_view gameFileTagIn(std::string_view sjis) {
    if (sjis.find('[') == std::string_view::npos) return {};
    for (const auto& line : gamefile::kSettingsLines)
        if (sjis.find(line.tag) != std::string_view::npos) return line.tag;
    for (const auto& line : gamefile::kTeamLines)
        if (sjis.find(line.tag) != std::string_view::npos) return line.tag;
    for (const auto& line : gamefile::kMemberLines)
        if (sjis.find(line.tag) != std::string_view::npos) return line.tag;
    for (const std::string_view tag : {gamefile::kSettingsEnd, gamefile::kFileEnd})
        if (sjis.find(tag) != std::string_view::npos) return tag;
    return {};
}

}  // namespace scorvale::imports
