#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/input_error.h"

namespace scorvale::text {

// What separates the fields of a record: a comma (CSV), a semicolon (CSV
// from spreadsheets of countries that write a decimal comma) or a tab
// (Excel's "Unicode text").
enum class Separator { automatic, comma, semicolon, tab };

char separatorChar(Separator separator);  // ',' for automatic

// The separator of `text`, from its first 100 lines: the one of comma, tab and
// semicolon found outside quotes on the most lines, then on the most lines in
// the same number; comma when none is found or they tie.
Separator detectSeparator(std::string_view text);

// One record of a CSV file and the 1-based line it starts on (a quoted line
// break makes a record span lines).
struct CsvRow {
    std::size_t line = 0;
    std::vector<std::string> fields;

    friend bool operator==(const CsvRow&, const CsvRow&) = default;
};

// The records of RFC 4180 text: fields split at `separator`; a field that
// starts with a quote runs to the closing quote, holding separators, line
// breaks and doubled quotes (one quote each); a quote elsewhere is an
// ordinary character. Records end at CR LF, LF or CR; the last may have no
// line end. Empty lines are skipped (a line holding only "" is a record of
// one empty field). Field bytes are kept as they are, line breaks inside
// quotes too. Works on any bytes in one pass; CP932 text too, whose trail
// bytes are never a separator, a quote or a line end. Throws InputError
// (unclosedQuote where the quoted field starts, textAfterQuote).
std::vector<CsvRow> parseCsv(std::string_view text, char separator = ',');

// The same records kept compactly: the cells' bytes in one block and an
// offset a cell, with no empty cells after a record's last non-empty one and
// no record of empty cells only. A file whose records run to a million empty
// columns costs what its content costs.
class CsvTable {
public:
    std::size_t rowCount() const { return rows_.size(); }
    std::size_t line(std::size_t row) const { return rows_[row].line; }
    // Cells up to the last non-empty one (at least 1).
    std::size_t width(std::size_t row) const { return rows_[row].count; }
    // The cell of a 1-based column; empty beyond the row's width.
    std::string_view cell(std::size_t row, std::size_t column) const;
    // The widest row's width.
    std::size_t columnCount() const { return columns_; }
    // Bytes held, for the benchmarks' account of memory.
    std::size_t footprint() const;

    // Building, a record at a time: cells of a row are appended in order.
    void startRow(std::size_t line);
    void appendToCell(std::string_view bytes);
    void endCell();
    void endRow();
    // Gives back the room reserved for more cells.
    void shrink();
    // Throws InputError tooManyColumns (at the row's line and the cell's
    // column) for a non-empty cell beyond `maxColumns`.
    void limitColumns(std::size_t maxColumns) { maxColumns_ = maxColumns; }

private:
    struct Row {
        std::uint32_t line;
        std::uint32_t start;  // where its first cell starts in text_
        std::uint32_t first;  // index of its first cell's end in ends_
        std::uint32_t count;
    };
    std::string text_;
    std::vector<std::uint32_t> ends_;  // end of each cell in text_
    std::vector<Row> rows_;
    std::size_t columns_ = 0;
    std::size_t maxColumns_ = SIZE_MAX;
    // The row being built: its cells so far, and the empty ones after the
    // last non-empty one, not stored until a non-empty one follows.
    Row current_{};
    std::size_t pendingEmpty_ = 0;
    bool cellHasBytes_ = false;
};

// parseCsv into a table.
CsvTable readCsvTable(std::string_view text, char separator, std::size_t maxColumns = SIZE_MAX);

}  // namespace scorvale::text
