#include "lists/standings_tables.h"

#include "lists/list_columns.h"
#include "text/sjis_codec.h"

namespace scorvale::lists {

namespace {

struct TsvFormat {
    static constexpr std::string_view separator = "\t";
    static constexpr std::string_view lineEnd = "\n";
    static void text(std::string& out, std::string_view utf8) { out += utf8; }
};

struct CsvFormat {
    static constexpr std::string_view separator = ",";
    static constexpr std::string_view lineEnd = "\r\n";
    static void text(std::string& out, std::string_view utf8) {
        const bool formula = !utf8.empty() && std::string_view("=+-@\t\r").find(utf8.front()) != std::string_view::npos;
        const bool quoted = formula || utf8.find_first_of(",\"\r\n") != std::string_view::npos;
        if (quoted) out += '"';
        if (formula) out += '\'';
        for (const char c : utf8) {
            if (c == '"') out += '"';
            out += c;
        }
        if (quoted) out += '"';
    }
};

template <typename Format>
void appendCell(std::string& out, const Cell& cell) {
    if (const auto* number = std::get_if<std::int32_t>(&cell))
        out += std::to_string(*number);
    else
        Format::text(out, sjis::toUtf8(std::get<std::string_view>(cell)));
}

template <typename Format, typename Columns, typename Records>
void appendTable(std::string& out, const Columns& columns, const Records& records) {
    for (const auto& column : columns) {
        if (&column != &columns.front()) out += Format::separator;
        Format::text(out, column.caption);
    }
    out += Format::lineEnd;
    for (const auto& record : records) {
        for (const auto& column : columns) {
            if (&column != &columns.front()) out += Format::separator;
            appendCell<Format>(out, column.cell(record));
        }
        out += Format::lineEnd;
    }
}

template <typename Format>
std::string bothTables(const Game& game, std::string out) {
    appendTable<Format>(out, kTeamColumns, game.teams());
    out += Format::lineEnd;
    appendTable<Format>(out, kMemberColumns, game.members());
    return out;
}

}  // namespace

std::string standingsTsv(const Game& game) { return bothTables<TsvFormat>(game, {}); }

std::string standingsCsv(const Game& game) { return bothTables<CsvFormat>(game, "\xEF\xBB\xBF"); }

}  // namespace scorvale::lists
