#pragma once

#include <string>
#include <vector>

#include "gamefile/file_lines.h"

namespace scorvale::testing {

// Every tag of the game file, the section and file end lines included, for
// token lists of random inputs.
inline std::vector<std::string> gameFileTags() {
    using namespace gamefile;
    std::vector<std::string> tags;
    for (const auto& l : kSettingsLines) tags.emplace_back(l.tag);
    tags.emplace_back(kSettingsEnd);
    for (const auto& l : kTeamLines) tags.emplace_back(l.tag);
    for (const auto& l : kMemberLines) tags.emplace_back(l.tag);
    tags.emplace_back(kFileEnd);
    return tags;
}

}  // namespace scorvale::testing
