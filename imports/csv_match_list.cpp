// A match CSV as a spreadsheet keeps it: a header row naming the columns in
// any order (group, team1, team2, score1, score2, winner, date and, if the
// file wants to name the rounds, round), then one match a row. An empty group
// makes a knockout match, and a sheet with neither a group nor a round column
// is a league, all its matches won, drawn or lost; an empty score a match not
// played yet; the score of a knockout match is the one after extra time, and
// `winner` (1, 2 or the winner's name) settles one that ended level. Columns
// of other names are left alone, so a sheet may carry notes.
#include <algorithm>
#include <array>
#include <optional>

#include "imports/match_list_readers.h"
#include "text/csv.h"
#include "text/normalize.h"

namespace scorvale::imports {

namespace {

enum Column { Group, Team1, Team2, Score1, Score2, Winner, Date, Round, kColumns };
constexpr std::array<std::string_view, kColumns> kColumnNames = {"group",  "team1",  "team2", "score1",
                                                                 "score2", "winner", "date",  "round"};
constexpr Column kRequired[] = {Team1, Team2, Score1, Score2};

std::string lowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

ImportError notAMatchList() {
    return ImportError::file(ImportError::Kind::notAMatchList);
}

// Before the whole text is parsed: some other file (a picture, a letter) is
// told as such, not by a quote it happens to leave open.
bool firstLineNamesAColumn(std::string_view utf8) {
    const std::string first = lowerAscii(utf8.substr(0, utf8.find_first_of("\r\n")));
    for (const std::string_view name : kColumnNames)
        if (first.find(name) != std::string::npos) return true;
    return false;
}

// Where each known column is in the header row, -1 when it has none.
std::array<int, kColumns> readHeader(const text::CsvRow& header) {
    std::array<int, kColumns> at;
    at.fill(-1);
    bool anyKnown = false;
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const std::string name = lowerAscii(text::trimSpaces(header.fields[i]));
        for (int c = 0; c < kColumns; ++c) {
            if (name != kColumnNames[static_cast<std::size_t>(c)]) continue;
            if (at[static_cast<std::size_t>(c)] >= 0)
                throw ImportError::line(static_cast<int>(header.line), ImportError::Kind::columnTwice, {name});
            at[static_cast<std::size_t>(c)] = static_cast<int>(i);
            anyKnown = true;
        }
    }
    if (!anyKnown) throw notAMatchList();
    for (const Column c : kRequired)
        if (at[c] < 0)
            throw ImportError::line(static_cast<int>(header.line), ImportError::Kind::columnMissing,
                                    {std::string(kColumnNames[c])});
    return at;
}

bool allDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// Whole digits up to a bound, so a long run of them cannot overflow.
int boundedValue(std::string_view digits) {
    int value = 0;
    for (const char c : digits) value = std::min(value * 10 + (c - '0'), 1000);
    return value;
}

class RowReader {
public:
    RowReader(const text::CsvRow& row, const std::array<int, kColumns>& at) : row_(row), at_(at) {}

    bool blank() const {
        for (const std::string& f : row_.fields)
            if (!text::trimSpaces(f).empty()) return false;
        return true;
    }

    Match read() const {
        Match m;
        m.place = static_cast<int>(row_.line);
        m.group = cell(Group);
        m.round = cell(Round);
        const bool league = at_[Group] < 0 && at_[Round] < 0;
        m.stage = league || !m.group.empty() ? Stage::group : Stage::knockout;
        m.team1 = team(Team1);
        m.team2 = team(Team2);
        const std::string date = cell(Date);
        if (!date.empty()) {
            const std::optional<std::string> iso = isoDate(date);
            if (!iso) throw fail(ImportError::Kind::badDate, {date});
            m.date = *iso;
        }
        const std::optional<int> g1 = goals(Score1), g2 = goals(Score2);
        if (g1.has_value() != g2.has_value())
            throw fail(ImportError::Kind::otherScoreEmpty, {g1 ? "score2" : "score1"});
        if (g1) m.fullTime = Goals{*g1, *g2};
        m.winner = winner(m);
        return m;
    }

private:
    ImportError fail(ImportError::Kind kind, std::vector<std::string> args = {}) const {
        return ImportError::line(static_cast<int>(row_.line), kind, std::move(args));
    }

    std::string cell(Column c) const {
        const int i = at_[c];
        if (i < 0 || static_cast<std::size_t>(i) >= row_.fields.size()) return {};
        return std::string(text::trimSpaces(row_.fields[static_cast<std::size_t>(i)]));
    }

    std::string team(Column c) const {
        std::string name = cell(c);
        if (name.empty()) throw fail(ImportError::Kind::fieldEmpty, {std::string(kColumnNames[c])});
        return name;
    }

    std::optional<int> goals(Column c) const {
        const std::string text = cell(c);
        if (text.empty()) return std::nullopt;
        // NFKC makes a spreadsheet's full-width digits and minus ASCII.
        const std::string digits = text::normalizeName(text);
        const std::string column(kColumnNames[c]);
        if (digits.starts_with('-') && allDigits(std::string_view(digits).substr(1)))
            throw fail(ImportError::Kind::goalsNegative, {column, text});
        if (!allDigits(digits)) throw fail(ImportError::Kind::goalsNotNumber, {column, text});
        const int value = boundedValue(digits);
        if (value > kMaxGoals)
            throw fail(ImportError::Kind::goalsTooMany, {column, text, std::to_string(kMaxGoals)});
        return value;
    }

    // 1 or 2 from "1", "2" or a team's name; only a played knockout match
    // uses it, and it must not contradict the score.
    int winner(const Match& m) const {
        const std::string text = cell(Winner);
        if (text.empty() || !m.knockout() || !m.played()) return 0;
        const std::string key = text::normalizeName(text);
        int side = 0;
        if (key == "1" || key == text::normalizeName(m.team1))
            side = 1;
        else if (key == "2" || key == text::normalizeName(m.team2))
            side = 2;
        else
            throw fail(ImportError::Kind::winnerUnknown, {text, m.team1, m.team2});
        const Goals& g = *m.fullTime;
        const int byScore = g.team1 > g.team2 ? 1 : g.team2 > g.team1 ? 2 : 0;
        if (byScore != 0 && byScore != side)
            throw fail(ImportError::Kind::winnerLost,
                       {text, std::to_string(g.team1) + "-" + std::to_string(g.team2)});
        return side;
    }

    const text::CsvRow& row_;
    const std::array<int, kColumns>& at_;
};

}  // namespace

bool csvHeaderNamesMatchColumns(std::string_view utf8) {
    // The header is the first line; a header cell never holds a line break.
    std::vector<text::CsvRow> rows;
    try {
        rows = text::parseCsv(utf8.substr(0, utf8.find_first_of("\r\n")));
        if (rows.empty()) return false;
        readHeader(rows.front());
    } catch (const text::InputError&) {
        return false;
    } catch (const ImportError&) {
        return false;
    }
    return true;
}

MatchList readCsvMatchList(std::string_view utf8) {
    if (!firstLineNamesAColumn(utf8)) throw notAMatchList();
    std::vector<text::CsvRow> rows;
    try {
        rows = text::parseCsv(utf8);
    } catch (const text::InputError& e) {
        throw ImportError(e.problem());
    }
    if (rows.empty()) throw ImportError::file(ImportError::Kind::emptyFile);
    const std::array<int, kColumns> at = readHeader(rows.front());

    MatchList list;
    list.format = MatchListFormat::Csv;
    list.matches.reserve(rows.size() - 1);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const RowReader row(rows[i], at);
        if (!row.blank()) list.matches.push_back(row.read());
    }
    return list;
}

}  // namespace scorvale::imports
