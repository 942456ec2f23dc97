#include "imports/team_matcher.h"

#include <algorithm>
#include <array>
#include <set>

#include "imports/national_teams.h"
#include "text/normalize.h"
#include "text/sjis_codec.h"

namespace scorvale::imports {

namespace {

int rowIndex(const NationalTeam* row) { return static_cast<int>(row - nationalTeams().data()); }

// What people write around a country's name when they mean its team, in
// normalised form; the longer of two that end alike first.
constexpr std::string_view kPrefixes[] = {"サッカー"};
constexpr std::string_view kSuffixes[] = {"男子代表チーム", "男子代表", "代表チーム", "代表",
                                          "national football team", "national team"};

std::u32string codePoints(std::string_view utf8) {
    std::u32string out;
    for (std::size_t at = 0; at < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[at]);
        const std::size_t len = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        char32_t c = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
        for (std::size_t k = 1; k < len && at + k < utf8.size(); ++k)
            c = c << 6 | (static_cast<unsigned char>(utf8[at + k]) & 0x3F);
        out += c;
        at += len;
    }
    return out;
}

// Levenshtein distance, or limit + 1 once it is known to exceed `limit`.
std::size_t editDistance(const std::u32string& a, const std::u32string& b, std::size_t limit) {
    if (std::max(a.size(), b.size()) - std::min(a.size(), b.size()) > limit) return limit + 1;
    std::vector<std::size_t> previous(b.size() + 1);
    std::vector<std::size_t> current(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) previous[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        current[0] = i;
        std::size_t rowBest = current[0];
        for (std::size_t j = 1; j <= b.size(); ++j) {
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + (a[i - 1] != b[j - 1])});
            rowBest = std::min(rowBest, current[j]);
        }
        if (rowBest > limit) return limit + 1;
        std::swap(previous, current);
    }
    return previous[b.size()];
}

// Team names are short; a longer text is no misspelt team.
constexpr std::size_t kLongestNearName = 40;

// teamKey of a name in normalizeName's form.
std::string keyOfNormalized(const std::string& normalized) {
    std::string_view key = normalized;
    for (const std::string_view prefix : kPrefixes)
        if (key.starts_with(prefix) && key.size() > prefix.size()) key.remove_prefix(prefix.size());
    for (const std::string_view suffix : kSuffixes) {
        if (key.ends_with(suffix) && key.size() > suffix.size()) {
            key.remove_suffix(suffix.size());
            break;
        }
    }
    key = text::trimSpaces(key);
    return key.empty() ? normalized : std::string(key);
}

}  // namespace

std::string teamKey(std::string_view utf8) { return keyOfNormalized(text::normalizeName(utf8)); }

TeamMatcher::TeamMatcher(const Game& game, std::vector<NameAlias> aliases)
    : byNationalTeam_(nationalTeams().size(), -1), spellings_(static_cast<std::size_t>(game.teamCount())) {
    for (int index = 0; index < game.teamCount(); ++index) {
        const std::string& bytes = game.teamAt(index).name.str();
        byBytes_.emplace(bytes, index);
        const std::string utf8 = sjis::toUtf8(bytes);
        const std::string normalized = text::normalizeName(utf8);
        if (normalized.empty()) continue;
        const std::string key = keyOfNormalized(normalized);
        byNormalized_.emplace(normalized, index);
        byKey_.emplace(key, index);
        auto& spellings = spellings_[static_cast<std::size_t>(index)];
        spellings.push_back(key);
        const NationalTeam* row = findNormalizedNationalTeam(normalized);
        if (!row) row = findNormalizedNationalTeam(key);
        if (!row) continue;
        int& first = byNationalTeam_[static_cast<std::size_t>(rowIndex(row))];
        if (first < 0) first = index;
        for (const std::string_view name : allNames(*row)) spellings.push_back(text::normalizeName(name));
    }
    setAliases(aliases);
}

void TeamMatcher::setAliases(const std::vector<NameAlias>& aliases) {
    aliases_.clear();
    for (const NameAlias& alias : aliases) aliases_.emplace(teamKey(alias.listName), alias.gameName);
}

int TeamMatcher::teamOfNationalRow(std::string_view normalized) const {
    const NationalTeam* row = findNormalizedNationalTeam(normalized);
    return row ? byNationalTeam_[static_cast<std::size_t>(rowIndex(row))] : -1;
}

TeamMatch TeamMatcher::matchDirectly(std::string_view utf8, const std::string& normalized,
                                     const std::string& key) const {
    if (normalized.empty()) return {};
    if (const auto bytes = sjis::fromUtf8(utf8)) {
        if (const auto found = byBytes_.find(*bytes); found != byBytes_.end()) return {found->second, MatchKind::exact};
    }
    if (const auto found = byNormalized_.find(normalized); found != byNormalized_.end())
        return {found->second, MatchKind::normalized};
    if (const int team = teamOfNationalRow(normalized); team >= 0) return {team, MatchKind::nationalTeam};
    if (key == normalized) return {};
    if (const auto found = byKey_.find(key); found != byKey_.end()) return {found->second, MatchKind::normalized};
    if (const int team = teamOfNationalRow(key); team >= 0) return {team, MatchKind::nationalTeam};
    return {};
}

const TeamMatcher::Entry& TeamMatcher::entry(std::string_view utf8) {
    if (const auto cached = cache_.find(utf8); cached != cache_.end()) return cached->second;
    Entry e;
    e.normalized = text::normalizeName(utf8);
    e.key = keyOfNormalized(e.normalized);
    e.direct = matchDirectly(utf8, e.normalized, e.key);
    return cache_.emplace(std::string(utf8), std::move(e)).first->second;
}

TeamMatch TeamMatcher::match(std::string_view utf8) {
    const Entry& e = entry(utf8);
    if (e.direct.kind != MatchKind::none || aliases_.empty() || e.normalized.empty()) return e.direct;
    const auto alias = aliases_.find(e.key);
    if (alias == aliases_.end()) return {};
    TeamMatch result = entry(alias->second).direct;
    if (result.kind != MatchKind::none) result.kind = MatchKind::alias;
    return result;
}

const std::string& TeamMatcher::keyOf(std::string_view utf8) { return entry(utf8).key; }

int TeamMatcher::nearestTeam(std::string_view utf8) {
    const std::u32string key = codePoints(keyOf(utf8));
    if (key.empty() || key.size() > kLongestNearName) return -1;
    const std::size_t limit = key.size() >= 7 ? 2 : key.size() >= 3 ? 1 : 0;
    std::set<int> teams;
    for (std::size_t team = 0; team < spellings_.size(); ++team) {
        for (const std::string& spelling : spellings_[team]) {
            const std::u32string name = codePoints(spelling);
            const bool prefix = key.size() >= 3 && name.size() > key.size() && name.starts_with(key);
            if (prefix || (limit > 0 && editDistance(key, name, limit) <= limit)) {
                teams.insert(static_cast<int>(team));
                break;
            }
        }
    }
    return teams.size() == 1 ? *teams.begin() : -1;
}

bool TeamMatcher::knows(std::string_view utf8) {
    if (match(utf8).team >= 0) return true;
    const std::string normalized = text::normalizeName(utf8);
    return findNormalizedNationalTeam(normalized) != nullptr || aliases_.contains(normalized);
}

std::string TeamMatcher::newTeamName(std::string_view utf8) const {
    const std::string normalized = text::normalizeName(utf8);
    if (const auto alias = aliases_.find(keyOfNormalized(normalized)); alias != aliases_.end()) return alias->second;
    if (const NationalTeam* row = findNormalizedNationalTeam(normalized)) return row->japaneseName;
    return std::string(text::trimSpaces(utf8));
}

}  // namespace scorvale::imports
