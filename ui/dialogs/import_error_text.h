#pragma once

#include <QString>

#include "imports/import_error.h"

namespace scorvale::ui {

// A problem of a match list in the user's words: where ("12行目: ",
// "3試合目: ", "チーム「Brazil」: ", nothing for the whole file), then what is
// wrong and what to do about it.
QString importErrorText(const imports::ImportError& error);
// What is wrong, without the place.
QString importErrorReason(const imports::ImportError& error);

}  // namespace scorvale::ui
