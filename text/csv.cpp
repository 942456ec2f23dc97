#include "text/csv.h"

#include <algorithm>

namespace scorvale::text {

CsvError::CsvError(std::size_t line, std::size_t column, std::string reason)
    : std::runtime_error("line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + reason),
      line_(line),
      column_(column),
      reason_(std::move(reason)) {}

namespace {

bool isLineEnd(char c) { return c == '\n' || c == '\r'; }

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    std::vector<CsvRow> rows() {
        std::vector<CsvRow> rows;
        while (at_ < text_.size()) {
            if (isLineEnd(text_[at_])) {
                skipLineEnd();
                continue;
            }
            CsvRow row;
            row.line = line_;
            for (;;) {
                row.fields.push_back(field(row.fields.size() + 1));
                if (at_ < text_.size() && text_[at_] == ',') {
                    ++at_;
                    continue;
                }
                break;
            }
            rows.push_back(std::move(row));
            skipLineEnd();
        }
        return rows;
    }

private:
    // CR LF, LF or a lone CR: one line. Nothing at the end of the text.
    void skipLineEnd() {
        if (at_ >= text_.size()) return;
        if (text_[at_] == '\r' && at_ + 1 < text_.size() && text_[at_ + 1] == '\n') ++at_;
        ++at_;
        ++line_;
    }

    std::string field(std::size_t column) {
        if (at_ >= text_.size() || text_[at_] != '"') {
            const std::size_t end = std::min(text_.find_first_of(",\r\n", at_), text_.size());
            std::string out(text_.substr(at_, end - at_));
            at_ = end;
            return out;
        }
        const std::size_t startLine = line_;
        ++at_;
        std::string out;
        for (;;) {
            const std::size_t stop = text_.find_first_of("\"\r\n", at_);
            if (stop == std::string_view::npos) throw CsvError(startLine, column, "a quoted field is not closed");
            out.append(text_.substr(at_, stop - at_));
            at_ = stop;
            if (text_[at_] == '"') {
                if (at_ + 1 < text_.size() && text_[at_ + 1] == '"') {
                    out += '"';
                    at_ += 2;
                    continue;
                }
                ++at_;
                break;
            }
            // A line break inside the quotes: kept, and counted as a line.
            const std::size_t from = at_;
            skipLineEnd();
            out.append(text_.substr(from, at_ - from));
        }
        if (at_ < text_.size() && text_[at_] != ',' && !isLineEnd(text_[at_]))
            throw CsvError(line_, column, "text after a closing quote");
        return out;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    std::size_t line_ = 1;
};

}  // namespace

std::vector<CsvRow> parseCsv(std::string_view text) { return Parser(text).rows(); }

}  // namespace scorvale::text
