#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "imports/names_file.h"
#include "model/game.h"

namespace scorvale::imports {

// How a name was matched to a team of the game, in the order tried.
enum class MatchKind {
    none,
    exact,          // its Shift-JIS form is the team's name byte for byte
    normalized,     // equal under normalizeName, or once a word such as 代表 is dropped from either
    nationalTeam,   // the name and the team's name stand for one row of the national-team table
    alias,          // the names file maps it to a name that matches the team in one of the ways above
};

struct TeamMatch {
    int team = -1;  // index in the game's team collection, or -1
    MatchKind kind = MatchKind::none;

    friend bool operator==(const TeamMatch&, const TeamMatch&) = default;
};

// The form a team's name is grouped and matched by: normalizeName, then
// without the words people add to a country's name for its team ("代表",
// "代表チーム", "サッカー…", "national team"), unless nothing else is left.
// ＪＡＰＡＮ代表, japan and "Japan national team" have one key.
std::string teamKey(std::string_view utf8);

// Maps names from a match list or a form (UTF-8) to the teams of one game as
// they were when it was built. Within each way of matching the first team in
// collection order wins; a name that is blank once normalised matches nothing.
// Answers are cached by the name as given, apart from the aliases, which can
// be set again without losing the cache.
class TeamMatcher {
public:
    explicit TeamMatcher(const Game& game, std::vector<NameAlias> aliases = {});

    TeamMatch match(std::string_view utf8);
    // teamKey of `utf8`, cached.
    const std::string& keyOf(std::string_view utf8);

    // The names file's lines (the first of two lines for one list name wins).
    void setAliases(const std::vector<NameAlias>& aliases);

    // A team a name that matches none may be meant for: the one team whose
    // name (or a name of its national team) starts with it, or is one edit
    // from it (two for names of seven characters or more), or -1 when none or
    // several are. Only ever offered, never applied by itself.
    int nearestTeam(std::string_view utf8);

    // Whether `utf8` names a team at all: one of the game, of the table of
    // national teams or of the names file.
    bool knows(std::string_view utf8);

    // The name (UTF-8) a team added for `utf8` gets: the game name the names
    // file gives it, else the table's main Japanese name, else `utf8` trimmed.
    std::string newTeamName(std::string_view utf8) const;

private:
    struct Entry {
        TeamMatch direct;
        std::string normalized;
        std::string key;
    };
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };

    const Entry& entry(std::string_view utf8);
    TeamMatch matchDirectly(std::string_view utf8, const std::string& normalized, const std::string& key) const;
    int teamOfNationalRow(std::string_view normalized) const;

    std::unordered_map<std::string, int> byBytes_;       // Shift-JIS name -> first team
    std::unordered_map<std::string, int> byNormalized_;  // normalised name -> first team
    std::unordered_map<std::string, int> byKey_;         // teamKey -> first team
    std::vector<int> byNationalTeam_;                    // table row -> first team, or -1
    std::vector<std::vector<std::string>> spellings_;    // per team: its key and its national team's names, normalised
    std::unordered_map<std::string, std::string> aliases_;  // teamKey of the list name -> game name
    std::unordered_map<std::string, Entry, Hash, std::equal_to<>> cache_;
};

}  // namespace scorvale::imports
