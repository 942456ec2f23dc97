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
    normalized,     // equal under normalizeName
    nationalTeam,   // the name and the team's name stand for one row of the national-team table
    alias,          // the names file maps it to a name that matches the team in one of the ways above
};

struct TeamMatch {
    int team = -1;  // index in the game's team collection, or -1
    MatchKind kind = MatchKind::none;

    friend bool operator==(const TeamMatch&, const TeamMatch&) = default;
};

// Maps names from a match list or a form (UTF-8) to the teams of one game as
// they were when it was built. Within each way of matching the first team in
// collection order wins; a name that is blank once normalised matches nothing.
// Answers are cached by the name as given.
class TeamMatcher {
public:
    explicit TeamMatcher(const Game& game, std::vector<NameAlias> aliases = {});

    TeamMatch match(std::string_view utf8);

    // Whether `utf8` names a team at all: one of the game, of the table of
    // national teams or of the names file.
    bool knows(std::string_view utf8);

    // The name (UTF-8) a team added for `utf8` gets: the game name the names
    // file gives it, else the table's main Japanese name, else `utf8` trimmed.
    std::string newTeamName(std::string_view utf8) const;

private:
    TeamMatch matchDirectly(std::string_view utf8, const std::string& normalized) const;

    std::unordered_map<std::string, int> byBytes_;       // Shift-JIS name -> first team
    std::unordered_map<std::string, int> byNormalized_;  // normalised name -> first team
    std::vector<int> byNationalTeam_;                    // table row -> first team, or -1
    std::unordered_map<std::string, std::string> aliases_;  // normalised list name -> game name
    std::unordered_map<std::string, TeamMatch> cache_;
};

}  // namespace scorvale::imports
