#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/game.h"

namespace scorvale::imports {

// Which teams of a game a typed text points to, for a list narrowed as the
// user types: a part of the team's name or group, or of any name the table of
// national teams gives the team (its code, Japanese and English names).
// Texts are compared in normalizeName's form with hiragana read as katakana,
// so ブラ, ぶら, ﾌﾞﾗ, bra and BRA all find ブラジル.
class TeamFilter {
public:
    // Takes the teams as they are now; the game is not kept.
    explicit TeamFilter(const Game& game);

    // One flag per team in collection order; a blank text shows every team.
    std::vector<bool> matching(std::string_view utf8) const;

private:
    std::vector<std::vector<std::string>> keys_;  // per team, in the compared form
};

// `utf8` in the form TeamFilter compares.
std::string filterForm(std::string_view utf8);

}  // namespace scorvale::imports
