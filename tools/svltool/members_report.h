#pragma once

// What svltool import-members says on standard error about how it read a
// members file, in English: the encoding and why, the separator, which
// column is what, and the spellings of picks no team matches.
#include <string>

#include "imports/member_columns.h"
#include "imports/member_import.h"

namespace scorvale::tool {

// "UTF-8, as its byte order mark says; 1 cell not UTF-8, read as CP932: line 5, column 9"
std::string encodingReport(const imports::MembersFile& file);
// "fields separated by semicolons (found in the file)"
std::string separatorReport(const imports::MembersFile& file);
// "header on line 1; name: column 3 "お名前"; picks: columns 4-8; date: column 1; not imported: ..."
// `guess` is null when the columns were not guessed.
std::string columnsReport(const imports::MembersFile& file, const imports::MemberImportOptions& options,
                          const imports::ColumnGuess* guess);
// One line a spelling kept as written: "\"サウジ\" (3 picks) matches no team; kept as written; it may be \"サウジアラビア\""
std::string spellingReport(const imports::PickSpelling& spelling, const std::string& nearestTeam);

}  // namespace scorvale::tool
