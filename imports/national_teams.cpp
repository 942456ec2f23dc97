#include "imports/national_teams.h"

#include <stdexcept>
#include <unordered_map>

#include "text/normalize.h"

namespace scorvale::imports {

namespace detail {
extern const std::string_view kNationalTeamsTsv;
}

namespace {

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) return parts;
        text.remove_prefix(at + 1);
    }
}

std::vector<std::string> names(std::string_view column) {
    std::vector<std::string> out;
    if (column.empty()) return out;
    for (const std::string_view name : split(column, '|')) out.emplace_back(name);
    return out;
}

// The table is our own data, checked by the tests: a malformed line is a
// programming error.
std::vector<NationalTeam> parseTable(std::string_view tsv) {
    std::vector<NationalTeam> rows;
    std::size_t lineNumber = 0;
    for (std::string_view line : split(tsv, '\n')) {
        ++lineNumber;
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line.empty() || line.starts_with('#')) continue;
        const auto columns = split(line, '\t');
        if (columns.size() != 4 || columns[0].empty() || columns[1].empty())
            throw std::logic_error("national_teams.tsv line " + std::to_string(lineNumber) +
                                   ": expected a code, a name and two lists of names");
        rows.push_back({std::string(columns[0]), std::string(columns[1]), names(columns[2]), names(columns[3])});
    }
    return rows;
}

struct Table {
    std::vector<NationalTeam> rows;
    std::unordered_map<std::string, std::size_t> byName;  // normalised name -> row; the first row keeps a name
};

const Table& table() {
    static const Table loaded = [] {
        Table t{parseTable(detail::kNationalTeamsTsv), {}};
        for (std::size_t k = 0; k < t.rows.size(); ++k)
            for (const std::string_view name : allNames(t.rows[k])) t.byName.emplace(text::normalizeName(name), k);
        return t;
    }();
    return loaded;
}

}  // namespace

const std::vector<NationalTeam>& nationalTeams() { return table().rows; }

const NationalTeam* findNormalizedNationalTeam(std::string_view normalized) {
    const Table& t = table();
    const auto found = t.byName.find(std::string(normalized));
    return found == t.byName.end() ? nullptr : &t.rows[found->second];
}

const NationalTeam* findNationalTeam(std::string_view utf8) {
    return findNormalizedNationalTeam(text::normalizeName(utf8));
}

std::vector<std::string_view> allNames(const NationalTeam& team) {
    std::vector<std::string_view> out{team.code, team.japaneseName};
    out.insert(out.end(), team.japaneseVariants.begin(), team.japaneseVariants.end());
    out.insert(out.end(), team.englishNames.begin(), team.englishNames.end());
    return out;
}

}  // namespace scorvale::imports
