#pragma once

#include <string>

#include "model/game.h"

namespace scorvale {

// The standings page as bytes: Shift-JIS as stored, CR LF line ends, written
// from the stored values in collection order (no scoring, no sorting).
std::string htmlReportBytes(const Game& game, const ReportSettings& settings);

// Writes the page safely (temporary file, then rename); throws FileError.
void writeHtmlReport(const Game& game, const std::string& path, const ReportSettings& settings);

}  // namespace scorvale
