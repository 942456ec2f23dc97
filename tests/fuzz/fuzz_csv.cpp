// Any bytes decode (in every encoding, UTF-16 too), parse as CSV at any
// separator or fail with InputError, and normalise without a crash, a leak
// or a read past the data. What parses, written back with every field
// quoted, parses to the same fields; the compact table holds the same cells.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/csv.h"
#include "text/encoding.h"
#include "text/normalize.h"

namespace {

using namespace scorvale::text;

std::string quoted(const std::vector<CsvRow>& rows, char separator) {
    std::string out;
    for (const CsvRow& row : rows) {
        for (std::size_t k = 0; k < row.fields.size(); ++k) {
            if (k > 0) out += separator;
            out += '"';
            for (const char c : row.fields[k]) {
                if (c == '"') out += '"';
                out += c;
            }
            out += '"';
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Encoding forced[] = {Encoding::automatic, Encoding::utf8, Encoding::cp932, Encoding::utf16};
    const DecodedText text = decodeText(bytes, forced[size % 4]);
    if (!isValidUtf8(text.utf8) || text.encoding == Encoding::automatic) __builtin_trap();
    const Separator separator = size % 5 == 4 ? detectSeparator(text.utf8) : static_cast<Separator>(size % 5);
    const char sep = separatorChar(separator);
    std::vector<CsvRow> rows;
    try {
        rows = parseCsv(text.utf8, sep);
    } catch (const InputError& e) {
        if (e.line() == 0 || e.column() == 0) __builtin_trap();
        return 0;
    }
    const CsvTable table = readCsvTable(text.utf8, sep);
    std::size_t lastLine = 0;
    std::size_t tableRow = 0;
    for (const CsvRow& row : rows) {
        if (row.line <= lastLine || row.fields.empty()) __builtin_trap();
        lastLine = row.line;
        std::size_t width = row.fields.size();
        while (width > 0 && row.fields[width - 1].empty()) --width;
        if (width > 0) {
            if (tableRow >= table.rowCount() || table.width(tableRow) != width || table.line(tableRow) != row.line)
                __builtin_trap();
            for (std::size_t k = 0; k < width; ++k)
                if (table.cell(tableRow, k + 1) != row.fields[k]) __builtin_trap();
            ++tableRow;
        }
        for (const std::string& field : row.fields) {
            normalizeName(field);
            trimSpaces(field);
        }
    }
    if (tableRow != table.rowCount()) __builtin_trap();
    const std::vector<CsvRow> again = parseCsv(quoted(rows, sep), sep);
    if (again.size() != rows.size()) __builtin_trap();
    for (std::size_t k = 0; k < rows.size(); ++k)
        if (again[k].fields != rows[k].fields) __builtin_trap();
    return 0;
}
