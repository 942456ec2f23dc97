#include "imports/team_matcher.h"

#include "imports/national_teams.h"
#include "text/normalize.h"
#include "text/sjis_codec.h"

namespace scorvale::imports {

namespace {

int rowIndex(const NationalTeam* row) { return static_cast<int>(row - nationalTeams().data()); }

}  // namespace

TeamMatcher::TeamMatcher(const Game& game, std::vector<NameAlias> aliases)
    : byNationalTeam_(nationalTeams().size(), -1) {
    for (int index = 0; index < game.teamCount(); ++index) {
        const std::string& bytes = game.teamAt(index).name.str();
        byBytes_.emplace(bytes, index);
        const std::string normalized = text::normalizeName(sjis::toUtf8(bytes));
        if (normalized.empty()) continue;
        byNormalized_.emplace(normalized, index);
        if (const NationalTeam* row = findNormalizedNationalTeam(normalized)) {
            int& first = byNationalTeam_[static_cast<std::size_t>(rowIndex(row))];
            if (first < 0) first = index;
        }
    }
    for (NameAlias& alias : aliases) aliases_.emplace(text::normalizeName(alias.listName), std::move(alias.gameName));
}

TeamMatch TeamMatcher::matchDirectly(std::string_view utf8, const std::string& normalized) const {
    if (normalized.empty()) return {};
    if (const auto bytes = sjis::fromUtf8(utf8)) {
        if (const auto found = byBytes_.find(*bytes); found != byBytes_.end()) return {found->second, MatchKind::exact};
    }
    if (const auto found = byNormalized_.find(normalized); found != byNormalized_.end())
        return {found->second, MatchKind::normalized};
    if (const NationalTeam* row = findNormalizedNationalTeam(normalized)) {
        const int team = byNationalTeam_[static_cast<std::size_t>(rowIndex(row))];
        if (team >= 0) return {team, MatchKind::nationalTeam};
    }
    return {};
}

TeamMatch TeamMatcher::match(std::string_view utf8) {
    const std::string key(utf8);
    if (const auto cached = cache_.find(key); cached != cache_.end()) return cached->second;
    const std::string normalized = text::normalizeName(utf8);
    TeamMatch result = matchDirectly(utf8, normalized);
    if (result.kind == MatchKind::none) {
        if (const auto alias = aliases_.find(normalized); alias != aliases_.end()) {
            result = matchDirectly(alias->second, text::normalizeName(alias->second));
            if (result.kind != MatchKind::none) result.kind = MatchKind::alias;
        }
    }
    cache_.emplace(key, result);
    return result;
}

bool TeamMatcher::knows(std::string_view utf8) {
    if (match(utf8).team >= 0) return true;
    const std::string normalized = text::normalizeName(utf8);
    return findNormalizedNationalTeam(normalized) != nullptr || aliases_.contains(normalized);
}

std::string TeamMatcher::newTeamName(std::string_view utf8) const {
    const std::string normalized = text::normalizeName(utf8);
    if (const auto alias = aliases_.find(normalized); alias != aliases_.end()) return alias->second;
    if (const NationalTeam* row = findNormalizedNationalTeam(normalized)) return row->japaneseName;
    return std::string(text::trimSpaces(utf8));
}

}  // namespace scorvale::imports
