#include "text/csv.h"

#include <algorithm>
#include <array>

namespace scorvale::text {

namespace {

bool isLineEnd(char c) { return c == '\n' || c == '\r'; }

// Reads records and hands their cells to a sink, which either keeps each
// field as a string or appends it to a table.
template <class Sink>
class Parser {
public:
    Parser(std::string_view text, char separator, Sink& sink) : text_(text), separator_(separator), sink_(sink) {
        stops_[0] = separator;
        stopsQuoted_[0] = '"';
    }

    void run() {
        while (at_ < text_.size()) {
            if (isLineEnd(text_[at_])) {
                skipLineEnd();
                continue;
            }
            sink_.startRow(line_);
            for (std::size_t column = 1;; ++column) {
                field(column);
                sink_.endCell();
                if (at_ < text_.size() && text_[at_] == separator_) {
                    ++at_;
                    continue;
                }
                break;
            }
            sink_.endRow();
            skipLineEnd();
        }
    }

private:
    // CR LF, LF or a lone CR: one line. Nothing at the end of the text.
    void skipLineEnd() {
        if (at_ >= text_.size()) return;
        if (text_[at_] == '\r' && at_ + 1 < text_.size() && text_[at_ + 1] == '\n') ++at_;
        ++at_;
        ++line_;
    }

    std::string_view stops() const { return {stops_.data(), 3}; }

    void field(std::size_t column) {
        if (at_ >= text_.size() || text_[at_] != '"') {
            const std::size_t end = std::min(text_.find_first_of(stops(), at_), text_.size());
            sink_.append(text_.substr(at_, end - at_));
            at_ = end;
            return;
        }
        const std::size_t startLine = line_;
        ++at_;
        for (;;) {
            const std::size_t stop = text_.find_first_of(std::string_view(stopsQuoted_.data(), 3), at_);
            if (stop == std::string_view::npos)
                throw InputError({InputProblem::Kind::unclosedQuote, startLine, column, {}, 0});
            sink_.append(text_.substr(at_, stop - at_));
            at_ = stop;
            if (text_[at_] == '"') {
                if (at_ + 1 < text_.size() && text_[at_ + 1] == '"') {
                    sink_.append("\"");
                    at_ += 2;
                    continue;
                }
                ++at_;
                break;
            }
            // A line break inside the quotes: kept, and counted as a line.
            const std::size_t from = at_;
            skipLineEnd();
            sink_.append(text_.substr(from, at_ - from));
        }
        if (at_ < text_.size() && text_[at_] != separator_ && !isLineEnd(text_[at_]))
            throw InputError({InputProblem::Kind::textAfterQuote, line_, column, {}, 0});
    }

    std::string_view text_;
    char separator_;
    Sink& sink_;
    std::array<char, 3> stops_{',', '\r', '\n'};
    std::array<char, 3> stopsQuoted_{'"', '\r', '\n'};
    std::size_t at_ = 0;
    std::size_t line_ = 1;
};

class RowsSink {
public:
    void startRow(std::size_t line) { rows.push_back({line, {}}); }
    void append(std::string_view bytes) { cell.append(bytes); }
    void endCell() {
        rows.back().fields.push_back(std::move(cell));
        cell.clear();
    }
    void endRow() {}

    std::vector<CsvRow> rows;
    std::string cell;
};

class TableSink {
public:
    explicit TableSink(CsvTable& table) : table_(table) {}
    void startRow(std::size_t line) { table_.startRow(line); }
    void append(std::string_view bytes) { table_.appendToCell(bytes); }
    void endCell() { table_.endCell(); }
    void endRow() { table_.endRow(); }

private:
    CsvTable& table_;
};

constexpr std::size_t kDetectionLines = 100;

}  // namespace

char separatorChar(Separator separator) {
    switch (separator) {
        case Separator::semicolon: return ';';
        case Separator::tab: return '\t';
        default: return ',';
    }
}

Separator detectSeparator(std::string_view text) {
    constexpr Separator candidates[] = {Separator::comma, Separator::tab, Separator::semicolon};
    struct Tally {
        std::size_t lines = 0;        // lines holding it
        std::size_t sameCount = 0;    // of those, lines holding it as often as the first did
        std::size_t firstCount = 0;
    };
    std::array<Tally, 3> tallies{};
    std::array<std::size_t, 3> counts{};
    bool quoted = false;
    std::size_t lines = 0;
    const auto endLine = [&] {
        for (std::size_t k = 0; k < 3; ++k) {
            Tally& t = tallies[k];
            if (counts[k] > 0) {
                if (t.lines++ == 0) t.firstCount = counts[k];
                if (counts[k] == t.firstCount) ++t.sameCount;
            }
            counts[k] = 0;
        }
        ++lines;
    };
    for (std::size_t at = 0; at < text.size() && lines < kDetectionLines; ++at) {
        const char c = text[at];
        // A doubled quote turns quoting off and on again: no need to see it.
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\n' || (c == '\r' && (at + 1 == text.size() || text[at + 1] != '\n'))) endLine();
        for (std::size_t k = 0; k < 3; ++k)
            if (c == separatorChar(candidates[k])) ++counts[k];
    }
    endLine();
    std::size_t best = 0;
    for (std::size_t k = 1; k < 3; ++k) {
        const Tally& t = tallies[k];
        const Tally& b = tallies[best];
        if (t.lines > b.lines || (t.lines == b.lines && t.sameCount > b.sameCount)) best = k;
    }
    return candidates[best];
}

std::vector<CsvRow> parseCsv(std::string_view text, char separator) {
    RowsSink sink;
    Parser<RowsSink>(text, separator, sink).run();
    return std::move(sink.rows);
}

std::string_view CsvTable::cell(std::size_t row, std::size_t column) const {
    const Row& r = rows_[row];
    if (column == 0 || column > r.count) return {};
    const std::size_t index = r.first + column - 1;
    const std::size_t start = column == 1 ? r.start : ends_[index - 1];
    return std::string_view(text_).substr(start, ends_[index] - start);
}

std::size_t CsvTable::footprint() const {
    return text_.capacity() + ends_.capacity() * sizeof(std::uint32_t) + rows_.capacity() * sizeof(Row);
}

void CsvTable::startRow(std::size_t line) {
    current_ = {static_cast<std::uint32_t>(line), static_cast<std::uint32_t>(text_.size()),
                static_cast<std::uint32_t>(ends_.size()), 0};
    pendingEmpty_ = 0;
    cellHasBytes_ = false;
}

void CsvTable::appendToCell(std::string_view bytes) {
    if (bytes.empty()) return;
    if (!cellHasBytes_) {
        // The cell's first byte: the empty cells before it become real ones.
        const std::size_t column = current_.count + pendingEmpty_ + 1;
        if (column > maxColumns_)
            throw InputError({InputProblem::Kind::tooManyColumns, current_.line, column, {}, maxColumns_});
        ends_.insert(ends_.end(), pendingEmpty_, static_cast<std::uint32_t>(text_.size()));
        current_.count += static_cast<std::uint32_t>(pendingEmpty_ + 1);
        pendingEmpty_ = 0;
        ends_.push_back(0);
        cellHasBytes_ = true;
    }
    text_.append(bytes);
    ends_.back() = static_cast<std::uint32_t>(text_.size());
}

void CsvTable::endCell() {
    if (!cellHasBytes_) ++pendingEmpty_;
    cellHasBytes_ = false;
}

void CsvTable::endRow() {
    if (current_.count > 0) {
        rows_.push_back(current_);
        columns_ = std::max<std::size_t>(columns_, current_.count);
    }
}

void CsvTable::shrink() {
    text_.shrink_to_fit();
    ends_.shrink_to_fit();
    rows_.shrink_to_fit();
}

CsvTable readCsvTable(std::string_view text, char separator, std::size_t maxColumns) {
    CsvTable table;
    table.limitColumns(maxColumns);
    TableSink sink(table);
    Parser<TableSink>(text, separator, sink).run();
    table.shrink();
    return table;
}

}  // namespace scorvale::text
