# Writes the national-team TSV (INPUT) into a C++ source (OUTPUT) as one raw
# string literal, so the program carries the table without a data file.
file(READ "${INPUT}" tsv)
string(FIND "${tsv}" ")tsv\"" clash)
if(NOT clash EQUAL -1)
  message(FATAL_ERROR "${INPUT} holds the literal's closing mark )tsv\"")
endif()
file(WRITE "${OUTPUT}.tmp" "// Generated from imports/data/national_teams.tsv by embed_table.cmake; edit the TSV.
#include <string_view>

namespace scorvale::imports::detail {
extern const std::string_view kNationalTeamsTsv;
const std::string_view kNationalTeamsTsv = R\"tsv(${tsv})tsv\";
}  // namespace scorvale::imports::detail
")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
