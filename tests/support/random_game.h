#pragma once

#include <cstdint>
#include <random>
#include <string>

#include "model/game.h"

namespace scorvale::testing {

// Random games for differential and round-trip tests: Shift-JIS names with
// double-byte and half-width characters, duplicates and empty names, settings
// from the harmless to the wrapping.
class RandomGames {
public:
    explicit RandomGames(std::uint32_t seed) : rng_(seed) {}

    // Texts then hold CR, LF and CR LF too (off by default).
    bool lineBreaks = false;

    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    std::int32_t anyInt();
    // A Shift-JIS text of up to `maxChars` characters.
    std::string text(int maxChars);
    // A multi-line text (CR LF between lines) of printable Shift-JIS; with
    // lineBreaks also lone CRs and LFs.
    std::string multiLine();
    Game game(int maxTeams, int maxMembers);

private:
    std::mt19937 rng_;
};

}  // namespace scorvale::testing
