#include "text/input_error.h"

namespace scorvale::text {

namespace {

std::string plural(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::string reasonOf(const InputProblem& p) {
    using Kind = InputProblem::Kind;
    switch (p.kind) {
        case Kind::unclosedQuote: return "a quoted field is not closed";
        case Kind::textAfterQuote: return "text after a closing quote";
        case Kind::fileTooLarge:
            return "larger than the " + std::to_string(p.number / (1024 * 1024)) +
                   " MiB such a file may have; is it the right file?";
        case Kind::tooManyColumns:
            return "more than " + plural(p.number, "column", "columns") + "; is it the right file?";
        case Kind::emptyFile: return "the file is empty";
        case Kind::onlyHeader: return "only a header, no members";
        case Kind::noRows: return "no members";
        case Kind::columnBeyond: return "beyond the file's " + plural(p.number, "column", "columns");
        case Kind::noNameColumn: return "no column holds the members' names; name it with --name-column";
        case Kind::notTwoNames: return "expected two names separated by one tab";
        case Kind::emptyName: return "a name is empty";
    }
    return {};
}

std::string describe(const InputProblem& p) {
    std::string where;
    if (p.line > 0) where = "line " + std::to_string(p.line);
    if (p.column > 0) where += (where.empty() ? "column " : ", column ") + std::to_string(p.column);
    const std::string reason = reasonOf(p);
    return where.empty() ? reason : where + ": " + reason;
}

InputError::InputError(InputProblem problem) : std::runtime_error(describe(problem)), problem_(std::move(problem)) {}

}  // namespace scorvale::text
