#pragma once

// How the tests print the import's problems when an expectation fails.
#include <ostream>

#include "imports/member_problem.h"
#include "text/input_error.h"

namespace scorvale::text {
inline void PrintTo(const InputProblem& p, std::ostream* out) {
    *out << "{kind " << static_cast<int>(p.kind) << ", " << p.line << ":" << p.column << ", \"" << p.text << "\", "
         << p.number << "}";
}
}  // namespace scorvale::text

namespace scorvale::imports {
inline void PrintTo(const MemberProblem& p, std::ostream* out) {
    *out << "{kind " << static_cast<int>(p.kind) << ", " << p.line << ":" << p.column << ", \"" << p.text << "\", "
         << p.other << "}";
}
}  // namespace scorvale::imports
