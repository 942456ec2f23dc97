#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "text/csv.h"
#include "text/encoding.h"

namespace scorvale::imports {

// A members file that cannot be imported at all: not CSV, empty, no member
// rows, or a column option beyond its columns. `line` and `column` are
// 1-based, 0 when the problem has no line or no column; the message is
// English and names them ("line 3, column 2: a quoted field is not closed").
class MembersFileError : public std::runtime_error {
public:
    MembersFileError(std::size_t line, std::size_t column, std::string reason);

    std::size_t line() const { return line_; }
    std::size_t column() const { return column_; }
    const std::string& reason() const { return reason_; }

private:
    std::size_t line_;
    std::size_t column_;
    std::string reason_;
};

// The records of a members file, read once: a preview plans from them again
// for every choice of columns, header and replace.
struct MembersFile {
    text::Encoding encoding = text::Encoding::utf8;  // the one used
    std::vector<text::CsvRow> rows;                  // UTF-8, blank lines left out
    std::size_t columnCount = 0;                     // of the widest record
};

// Decodes `bytes` (decodeText) and splits them into records (parseCsv).
// Throws MembersFileError for text that is not CSV and for a file without a
// record.
MembersFile readMembersFile(std::string_view bytes, text::Encoding encoding = text::Encoding::automatic);

}  // namespace scorvale::imports
