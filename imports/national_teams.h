#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace scorvale::imports {

// A team of Scorvale's table of national teams (imports/data/national_teams.tsv).
// All text is UTF-8.
struct NationalTeam {
    std::string code;          // FIFA's three-letter code
    std::string japaneseName;  // as Japanese media write it; the name a new team gets
    std::vector<std::string> japaneseVariants;
    std::vector<std::string> englishNames;
};

// Every row of the table in the file's order, read on first use.
const std::vector<NationalTeam>& nationalTeams();

// The row `utf8` stands for (its code, main name or any variant, compared by
// normalizeName), or null.
const NationalTeam* findNationalTeam(std::string_view utf8);
// The same for a name already in normalizeName's form.
const NationalTeam* findNormalizedNationalTeam(std::string_view normalized);

// The code, the main name and every variant of `team`.
std::vector<std::string_view> allNames(const NationalTeam& team);

}  // namespace scorvale::imports
