#pragma once

// What the members import's tests share: the date they import on, the
// example game and a member as one line of text.
#include <string>

#include "gamefile/game_file.h"
#include "text/sjis_codec.h"

namespace scorvale::imports::testing {

inline constexpr const char* kToday = "26/06/10";

inline Game exampleGame() {
    Game game;
    loadGame(game, SCORVALE_SOURCE_DIR "/examples/worldcup2002.svl", ReadAll);
    return game;
}

// A member as "name|date|vote,vote,...", in UTF-8.
inline std::string memberText(const Member& m) {
    std::string out = sjis::toUtf8(m.name.view()) + "|" + m.date.str() + "|";
    for (int k = 0; k < m.voteCount(); ++k) out += (k > 0 ? "," : "") + sjis::toUtf8(m.vote(k));
    return out;
}

}  // namespace scorvale::imports::testing
