#pragma once

#include <QString>

#include "text/input_error.h"

namespace scorvale::ui {

// A problem of a file the user gave, in the user's words: where it is
// ("3行目2列目: ") and what to do about it.
QString inputProblemText(const text::InputProblem& problem);

}  // namespace scorvale::ui
