// Any bytes decode, parse as CSV or fail with CsvError, and normalise without
// a crash, a leak or a read past the data. What parses, written back with
// every field quoted, parses to the same fields.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/csv.h"
#include "text/encoding.h"
#include "text/normalize.h"

namespace {

using namespace scorvale::text;

std::string quoted(const std::vector<CsvRow>& rows) {
    std::string out;
    for (const CsvRow& row : rows) {
        for (std::size_t k = 0; k < row.fields.size(); ++k) {
            if (k > 0) out += ',';
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
    const Encoding forced[] = {Encoding::automatic, Encoding::utf8, Encoding::cp932};
    const DecodedText text = decodeText(bytes, forced[size % 3]);
    if (!isValidUtf8(text.utf8)) __builtin_trap();
    std::vector<CsvRow> rows;
    try {
        rows = parseCsv(text.utf8);
    } catch (const CsvError& e) {
        if (e.line() == 0 || e.column() == 0) __builtin_trap();
        return 0;
    }
    std::size_t lastLine = 0;
    for (const CsvRow& row : rows) {
        if (row.line <= lastLine || row.fields.empty()) __builtin_trap();
        lastLine = row.line;
        for (const std::string& field : row.fields) {
            normalizeName(field);
            trimSpaces(field);
        }
    }
    const std::vector<CsvRow> again = parseCsv(quoted(rows));
    if (again.size() != rows.size()) __builtin_trap();
    for (std::size_t k = 0; k < rows.size(); ++k)
        if (again[k].fields != rows[k].fields) __builtin_trap();
    return 0;
}
