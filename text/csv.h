#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace scorvale::text {

// One record of a CSV file and the 1-based line it starts on (a quoted line
// break makes a record span lines).
struct CsvRow {
    std::size_t line = 0;
    std::vector<std::string> fields;

    friend bool operator==(const CsvRow&, const CsvRow&) = default;
};

// A file that is not CSV: an unterminated quote (reported where the quoted
// field starts) or text after a closing quote. `column` is the 1-based field
// number in the record, as a spreadsheet counts columns.
class CsvError : public std::runtime_error {
public:
    CsvError(std::size_t line, std::size_t column, std::string reason);

    std::size_t line() const { return line_; }
    std::size_t column() const { return column_; }
    const std::string& reason() const { return reason_; }

private:
    std::size_t line_;
    std::size_t column_;
    std::string reason_;
};

// The records of RFC 4180 text: fields split at commas; a field that starts
// with a quote runs to the closing quote, holding commas, line breaks and
// doubled quotes (one quote each); a quote elsewhere is an ordinary character.
// Records end at CR LF, LF or CR; the last may have no line end. Empty lines
// are skipped (a line holding only "" is a record of one empty field). Field
// bytes are kept as they are, line breaks inside quotes too. Works on any
// bytes in one pass.
std::vector<CsvRow> parseCsv(std::string_view text);

}  // namespace scorvale::text
