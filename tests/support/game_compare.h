#pragma once

#include <gtest/gtest.h>

#include "model/game.h"

namespace scorvale::testing {

// Every field of both games, collections in order.
inline ::testing::AssertionResult sameGame(const Game& a, const Game& b) {
    if (!(a.settings == b.settings)) return ::testing::AssertionFailure() << "settings differ";
    if (!(a.report == b.report)) return ::testing::AssertionFailure() << "report settings differ";
    if (a.teams() != b.teams()) return ::testing::AssertionFailure() << "teams differ";
    if (a.members() != b.members()) return ::testing::AssertionFailure() << "members differ";
    return ::testing::AssertionSuccess();
}

}  // namespace scorvale::testing
