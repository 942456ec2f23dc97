#pragma once

#include <string>

#include "model/game.h"

namespace scorvale {

// The members' page: one self-contained UTF-8 HTML file made for phones,
// with the standings, movement since the last recorded day, each member's
// picks and details, a rank chart, the teams, the most-picked teams and how
// points are counted. Reads the stored scores and ranks (the caller scores
// first) and the recorded results; lists members and teams by rank, as many
// as the ranges of `settings` allow. Every text of the game is escaped but
// the greetings, which keep a small safe set of tags.
std::string phonePageBytes(const Game& game, const ReportSettings& settings);

// The page of the game's page choice: the legacy page or the members' page.
std::string pageBytes(const Game& game, const ReportSettings& settings);

// Writes pageBytes safely (temporary file, then rename); throws FileError.
void writePage(const Game& game, const std::string& path, const ReportSettings& settings);

}  // namespace scorvale
