#include "imports/match_list.h"

#include <map>

#include "imports/match_list_readers.h"
#include "imports/placeholder.h"
#include "text/encoding.h"
#include "text/normalize.h"

namespace scorvale::imports {

namespace {

int digitsValue(std::string_view text) {
    int value = 0;
    for (const char c : text) value = value * 10 + (c - '0');
    return value;
}

bool allDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The two teams of a match in either order, as one key.
std::string pairingKey(const Match& m) {
    std::string a = text::normalizeName(m.team1), b = text::normalizeName(m.team2);
    if (b < a) a.swap(b);
    return a + '\0' + b;
}

void checkList(const MatchList& list) {
    // A level knockout match without a decider stands when the two teams meet
    // again later in the knockout stage: the old replay after a drawn match.
    std::map<std::string, std::size_t> lastMeeting;
    for (std::size_t i = 0; i < list.matches.size(); ++i)
        if (list.matches[i].knockout()) lastMeeting[pairingKey(list.matches[i])] = i;

    for (std::size_t i = 0; i < list.matches.size(); ++i) {
        const Match& m = list.matches[i];
        const auto fail = [&](const std::string& reason) { return matchError(list.format, m, reason); };
        if (text::normalizeName(m.team1) == text::normalizeName(m.team2))
            throw fail("\"" + m.team1 + "\" plays itself");
        if (!m.played()) continue;
        for (const std::string* team : {&m.team1, &m.team2})
            if (isPlaceholder(*team))
                throw fail("\"" + *team + "\" stands for a team not known yet, but the match has a score");
        if (m.penalties && m.penalties->team1 == m.penalties->team2) throw fail("the penalty shoot-out ends level");
        if (m.knockout() && matchWinner(m) == 0 && lastMeeting[pairingKey(m)] == i)
            throw fail(list.format == MatchListFormat::Csv
                           ? "the knockout match ends level and the winner column names no winner"
                           : "the knockout match ends level and has no penalty shoot-out");
    }
}

}  // namespace

std::optional<std::string> isoDate(std::string_view text) {
    if (text.size() < 8 || text.size() > 10) return std::nullopt;
    const char sep = text[4];
    if (sep != '-' && sep != '/') return std::nullopt;
    const std::size_t second = text.find(sep, 5);
    if (second == std::string_view::npos) return std::nullopt;
    const std::string_view year = text.substr(0, 4), month = text.substr(5, second - 5), day = text.substr(second + 1);
    if (!allDigits(year) || !allDigits(month) || !allDigits(day) || month.size() > 2 || day.size() > 2)
        return std::nullopt;
    const int y = digitsValue(year), mo = digitsValue(month), d = digitsValue(day);
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (mo < 1 || mo > 12 || d < 1 || d > kDays[mo - 1]) return std::nullopt;
    if (mo == 2 && d == 29 && !(y % 4 == 0 && (y % 100 != 0 || y % 400 == 0))) return std::nullopt;
    const auto twoDigits = [](int v) {
        return std::string{static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
    };
    return std::string(year) + '-' + twoDigits(mo) + '-' + twoDigits(d);
}

ImportError matchError(MatchListFormat format, const Match& match, std::string reason) {
    return format == MatchListFormat::Csv ? ImportError::line(match.place, std::move(reason))
                                          : ImportError::match(match.place, std::move(reason));
}

Goals finalScore(const Match& match) {
    if (match.extraTime) return *match.extraTime;
    return match.fullTime.value_or(Goals{});
}

int matchWinner(const Match& match) {
    if (!match.played()) return 0;
    const auto side = [](const Goals& g) { return g.team1 > g.team2 ? 1 : g.team2 > g.team1 ? 2 : 0; };
    if (match.penalties && side(*match.penalties) != 0) return side(*match.penalties);
    if (const int s = side(finalScore(match))) return s;
    return match.winner == 1 || match.winner == 2 ? match.winner : 0;
}

bool csvNamesMatchColumns(std::string_view bytes) {
    return csvHeaderNamesMatchColumns(text::decodeText(bytes).utf8);
}

MatchList readMatchList(std::string_view bytes) {
    const text::DecodedText decoded = text::decodeText(bytes);
    const std::size_t first = decoded.utf8.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) throw ImportError::file("the file is empty");
    MatchList list = decoded.utf8[first] == '{' || decoded.utf8[first] == '[' ? readJsonMatchList(decoded.utf8)
                                                                              : readCsvMatchList(decoded.utf8);
    checkList(list);
    return list;
}

}  // namespace scorvale::imports
