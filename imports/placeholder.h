#pragma once

#include <string_view>

namespace scorvale::imports {

// True when a team name of a match list stands for a team that is not known
// yet, as fixtures write the later rounds before they are decided:
//  - a match's winner or loser by number: "W49", "L101";
//  - a place in a group: "1A", "2B", "3A/B/C/D/F";
//  - words saying the same: "Winner Group A", "Group B runner-up",
//    "Loser Match 61", "3rd Group C/D/E", "Winner 49" (a word of winning,
//    losing or a place together with "group", "match" or a number, so a club
//    such as "Winners FC" stays a team);
//  - the Japanese forms: "A組1位", "グループB2位", "準決勝1の勝者", "試合49敗者";
//  - "TBD", "TBA", "TBC", "未定", or nothing but "?" and "-".
// The name is compared after NFKC folding, so full-width forms count too.
bool isPlaceholder(std::string_view utf8Name);

// True for the placeholders that stand for the winner or loser of another
// match ("W49", "L101", "Winner Match 49", "準決勝1の勝者"), which only a
// later knockout round can name; a group place ("1A", "Winner Group A") is not.
bool namesMatchResult(std::string_view utf8Name);

}  // namespace scorvale::imports
