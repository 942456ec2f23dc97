#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace scorvale::text {

// What is wrong at a place of a file the user gives (a members file, a names
// file, a CSV text), as data: the window words it in Japanese, svltool and
// what() in English.
struct InputProblem {
    enum class Kind {
        // CSV
        unclosedQuote,   // a quoted field starting at line/column is not closed
        textAfterQuote,  // text follows a closing quote at line/column
        // Size
        fileTooLarge,    // `number`: the most bytes such a file may have
        tooManyColumns,  // line `line` goes on beyond column `number`, the most there may be
        // Members files
        emptyFile,       // no record at all
        onlyHeader,      // the header on line `line`, and no record after it
        noRows,          // only blank records
        columnBeyond,    // a column option names `column`; the file has `number` columns
        noNameColumn,    // no column holds names: one must be chosen
        // Names files
        notTwoNames,     // line `line` is not two names separated by one tab
        emptyName,       // a name of line `line` is empty
    };

    Kind kind = Kind::emptyFile;
    std::size_t line = 0;    // 1-based; 0 when the problem has no line
    std::size_t column = 0;  // 1-based, as a spreadsheet counts; 0 when none
    std::string text;        // UTF-8, what the place holds, when it matters
    std::size_t number = 0;  // the count or limit the kind names

    friend bool operator==(const InputProblem&, const InputProblem&) = default;
};

// "line 3, column 2: a quoted field is not closed": the place, then what is
// wrong, in English.
std::string describe(const InputProblem& problem);
// What is wrong without the place.
std::string reasonOf(const InputProblem& problem);

// One problem that stops a file from being read; what() is describe().
class InputError : public std::runtime_error {
public:
    explicit InputError(InputProblem problem);

    const InputProblem& problem() const { return problem_; }
    InputProblem::Kind kind() const { return problem_.kind; }
    std::size_t line() const { return problem_.line; }
    std::size_t column() const { return problem_.column; }

private:
    InputProblem problem_;
};

}  // namespace scorvale::text
