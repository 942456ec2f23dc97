#pragma once

#include <string>

#include "imports/member_import.h"
#include "model/game.h"

namespace scorvale::bench {

// The members import the benchmarks measure: a game of 48 national teams,
// and a form's export of `rows` members with ten picks each, written in
// Japanese, as codes or in English, a timestamp first and the name second.
Game game48();
std::string formCsv(int rows);
// The form of the report: a header followed by a million empty columns,
// then rows of five picks, 1.27 MB in all.
std::string wideCsv();
imports::MemberImportOptions formOptions();

}  // namespace scorvale::bench
