#pragma once

#include <string_view>

namespace scorvale::imports {

// True when a team name of a match list stands for a team that is not known
// yet, as fixtures write the later rounds before they are decided:
//  - a match's winner or loser by number: "W49", "L101";
//  - a place in a group, the place before or after the letter, or a place
//    among several groups: "1A", "A1", "2 B", "3A/B/C/D/F", "3ABCDF";
//  - words saying the same, in English or German: "Winner A", "A Winner",
//    "Group B runner-up", "1st A", "3rd A/B/C/D/F", "Best 3rd",
//    "Loser Match 61", "Winner 49", "Winner SF1", "Sieger A", "Gewinner A",
//    "Gruppenzweiter B", "Verlierer Spiel 61": a word of winning, losing or
//    a place with a word naming a group, a group letter, a match or a number
//    ("best" with a place needs none), and no word beyond these and a few
//    such as "of", "the", "place" or a round's name, so "Winners FC" and
//    "First Vienna FC 1894" stay teams;
//  - the Japanese forms: "A組1位", "A組首位", "グループB2位", "準決勝1の勝者",
//    "試合49敗者";
//  - "TBD", "TBA", "TBC", "未定", or nothing but "?" and "-".
// The name is compared after NFKC folding, so full-width forms count too.
bool isPlaceholder(std::string_view utf8Name);

// True for the placeholders that stand for the winner or loser of another
// match ("W49", "L101", "Winner Match 49", "Sieger Spiel 49", "準決勝1の勝者"),
// which only a later knockout round can name; a group place ("1A", "Winner
// Group A", "Winner A") is not.
bool namesMatchResult(std::string_view utf8Name);

}  // namespace scorvale::imports
