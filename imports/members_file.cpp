#include "imports/members_file.h"

#include <algorithm>

namespace scorvale::imports {

namespace {

std::string message(std::size_t line, std::size_t column, const std::string& reason) {
    std::string where;
    if (line > 0) where = "line " + std::to_string(line);
    if (column > 0) where += (where.empty() ? "column " : ", column ") + std::to_string(column);
    return where.empty() ? reason : where + ": " + reason;
}

}  // namespace

MembersFileError::MembersFileError(std::size_t line, std::size_t column, std::string reason)
    : std::runtime_error(message(line, column, reason)), line_(line), column_(column), reason_(std::move(reason)) {}

MembersFile readMembersFile(std::string_view bytes, text::Encoding encoding) {
    text::DecodedText decoded = text::decodeText(bytes, encoding);
    MembersFile file;
    file.encoding = decoded.encoding;
    try {
        file.rows = text::parseCsv(decoded.utf8);
    } catch (const text::CsvError& e) {
        throw MembersFileError(e.line(), e.column(), e.reason());
    }
    if (file.rows.empty()) throw MembersFileError(0, 0, "the file is empty");
    for (const text::CsvRow& row : file.rows) file.columnCount = std::max(file.columnCount, row.fields.size());
    return file;
}

}  // namespace scorvale::imports
