#pragma once

// The two readers behind readMatchList and what they share.
#include <optional>
#include <string>
#include <string_view>

#include "imports/import_error.h"
#include "imports/match_list.h"

namespace scorvale::imports {

// `utf8` is valid UTF-8 without a BOM.
MatchList readJsonMatchList(std::string_view utf8);
MatchList readCsvMatchList(std::string_view utf8);
bool csvHeaderNamesMatchColumns(std::string_view utf8);

// A date as YYYY-MM-DD from "YYYY-MM-DD" or "YYYY/MM/DD" (month and day may
// have one digit, as spreadsheets write them); nothing when it is neither or
// names no day of the calendar.
std::optional<std::string> isoDate(std::string_view text);

// The error for `match`: its number in a JSON list, its line in a CSV.
ImportError matchError(MatchListFormat format, const Match& match, ImportError::Kind kind,
                       std::vector<std::string> args = {});

}  // namespace scorvale::imports
