#pragma once

#include <string>

#include "model/game.h"

namespace scorvale::testing {

// The game a save test finds on disk: small, so that what is left of it
// after a failed save is easy to compare.
inline Game oldSavedGame() {
    Game game;
    game.settings.name = "Old";
    return game;
}

// The game a save test writes: large enough (2000 teams) to go out in many
// pieces, so that a fault can strike in the middle.
inline Game largeNewGame() {
    Game game;
    game.settings.name = "New";
    for (int i = 0; i < 2000; ++i) {
        Team t;
        t.name = "T" + std::to_string(i);
        game.addTeam(t);
    }
    return game;
}

}  // namespace scorvale::testing
