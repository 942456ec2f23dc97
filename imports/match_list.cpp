#include "imports/match_list.h"

#include <algorithm>
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

std::string scoreText(const Goals& g) { return std::to_string(g.team1) + "-" + std::to_string(g.team2); }

int side(const Goals& g) { return g.team1 > g.team2 ? 1 : g.team2 > g.team1 ? 2 : 0; }

// The two teams of a match in either order, as one key.
std::string pairingKey(const Match& m) {
    std::string a = text::normalizeName(m.team1), b = text::normalizeName(m.team2);
    if (b < a) a.swap(b);
    return a + '\0' + b;
}

// A knockout match among the group matches is most likely a group match
// whose group cell was left empty: read as a knockout match it would put its
// loser out in the middle of the group stage. One before every group match is
// a play-off into the groups: its teams have not qualified for the knockout
// stage by playing it.
void resolveStages(MatchList& list, const std::vector<std::size_t>& order) {
    std::set<std::string> groupRounds;
    std::size_t firstGroup = order.size(), lastGroup = 0;
    for (std::size_t at = 0; at < order.size(); ++at) {
        const Match& m = list.matches[order[at]];
        if (m.knockout()) continue;
        firstGroup = std::min(firstGroup, at);
        lastGroup = at;
        groupRounds.insert(text::normalizeName(m.round));
    }
    if (firstGroup == order.size()) return;
    const bool dated = std::all_of(list.matches.begin(), list.matches.end(),
                                   [](const Match& m) { return !m.date.empty(); });
    for (std::size_t at = 0; at < order.size(); ++at) {
        Match& m = list.matches[order[at]];
        if (!m.knockout()) continue;
        if (at > firstGroup && at < lastGroup) {
            if (!m.round.empty() && !groupRounds.contains(text::normalizeName(m.round))) continue;
            m.stage = Stage::group;
            list.problems.push_back(matchError(list.format, m, ImportError::Kind::noGroupAmongGroups, {dated ? "date" : "list"}));
        } else if (at < firstGroup) {
            m.stage = Stage::preliminary;
            if (!dated)
                list.problems.push_back(matchError(list.format, m, ImportError::Kind::playOffFirst));
        }
    }
}

// What one match cannot hold whatever comes before or after it.
void checkMatch(const MatchList& list, const Match& m) {
    const auto fail = [&](ImportError::Kind kind, std::vector<std::string> args = {}) {
        return matchError(list.format, m, kind, std::move(args));
    };
    if (text::normalizeName(m.team1) == text::normalizeName(m.team2)) throw fail(ImportError::Kind::playsItself, {m.team1});
    if (!m.played()) return;
    for (const std::string* team : {&m.team1, &m.team2})
        if (isPlaceholder(*team))
            throw fail(ImportError::Kind::slotWithScore, {*team});
    if (m.extraTime && (m.extraTime->team1 < m.fullTime->team1 || m.extraTime->team2 < m.fullTime->team2))
        throw fail(ImportError::Kind::extraTimeLower, {scoreText(*m.extraTime), scoreText(*m.fullTime)});
    if (m.penalties) {
        if (m.penalties->team1 == m.penalties->team2) throw fail(ImportError::Kind::shootOutLevel);
        if (side(finalScore(m)) != 0)
            throw fail(ImportError::Kind::shootOutAfterDecisive, {scoreText(*m.penalties), scoreText(finalScore(m))});
    }
}

// What the order of the matches forbids: a level knockout match that
// nothing settles, and a team playing on after it lost a knockout match.
void checkSequence(const MatchList& list, const std::vector<std::size_t>& order) {
    // A level knockout match without a decider stands when the two teams meet
    // again later in the knockout stage: the old replay after a drawn match.
    std::map<std::string, std::size_t> lastMeeting;
    for (std::size_t at = 0; at < order.size(); ++at)
        if (list.matches[order[at]].knockout()) lastMeeting[pairingKey(list.matches[order[at]])] = at;

    std::map<std::string, const Match*> lostAt;  // a team's knockout defeat
    for (std::size_t at = 0; at < order.size(); ++at) {
        const Match& m = list.matches[order[at]];
        if (m.knockout() && m.played() && matchWinner(m) == 0 && lastMeeting[pairingKey(m)] == at)
            throw matchError(list.format, m, ImportError::Kind::levelKnockout);

        // After a defeat only a match against another loser (for third
        // place) or a team not known yet may follow.
        const std::string keys[2] = {text::normalizeName(m.team1), text::normalizeName(m.team2)};
        const bool open[2] = {isPlaceholder(m.team1), isPlaceholder(m.team2)};
        const Match* lost[2] = {nullptr, nullptr};
        for (int s = 0; s < 2; ++s)
            if (const auto it = lostAt.find(keys[s]); !open[s] && it != lostAt.end()) lost[s] = it->second;
        for (int s = 0; s < 2; ++s) {
            if (!lost[s] || open[1 - s] || lost[1 - s]) continue;
            const std::string& team = s == 0 ? m.team1 : m.team2;
            throw matchError(list.format, m, ImportError::Kind::loserPlaysOn, {team, std::to_string(lost[s]->place)});
        }
        if (const int winner = m.knockout() ? matchWinner(m) : 0) {
            const int loser = winner == 1 ? 1 : 0;
            if (!open[loser]) lostAt.try_emplace(keys[loser], &m);
        }
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

ImportError matchError(MatchListFormat format, const Match& match, ImportError::Kind kind,
                       std::vector<std::string> args) {
    return format == MatchListFormat::Csv ? ImportError::line(match.place, kind, std::move(args))
                                          : ImportError::match(match.place, kind, std::move(args));
}

Goals finalScore(const Match& match) {
    if (match.extraTime) return *match.extraTime;
    return match.fullTime.value_or(Goals{});
}

int matchWinner(const Match& match) {
    if (!match.played()) return 0;
    if (match.penalties && side(*match.penalties) != 0) return side(*match.penalties);
    if (const int s = side(finalScore(match))) return s;
    return match.winner == 1 || match.winner == 2 ? match.winner : 0;
}

bool isSlot(const MatchList& list, std::string_view utf8Name) {
    return isPlaceholder(utf8Name) ||
           (!list.slotNames.empty() && list.slotNames.contains(text::normalizeName(utf8Name)));
}

std::vector<std::size_t> playingOrder(const MatchList& list) {
    std::vector<std::size_t> order(list.matches.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    const bool dated =
        std::all_of(list.matches.begin(), list.matches.end(), [](const Match& m) { return !m.date.empty(); });
    if (dated)
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return list.matches[a].date < list.matches[b].date; });
    return order;
}

bool csvNamesMatchColumns(std::string_view bytes) {
    return csvHeaderNamesMatchColumns(text::decodeText(bytes).utf8);
}

MatchList readMatchList(std::string_view bytes) {
    const text::DecodedText decoded = text::decodeText(bytes);
    const std::size_t first = decoded.utf8.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) throw ImportError::file(ImportError::Kind::emptyFile);
    MatchList list = decoded.utf8[first] == '{' || decoded.utf8[first] == '[' ? readJsonMatchList(decoded.utf8)
                                                                              : readCsvMatchList(decoded.utf8);
    for (const Match& m : list.matches) checkMatch(list, m);
    const std::vector<std::size_t> order = playingOrder(list);
    resolveStages(list, order);
    checkSequence(list, order);
    return list;
}

}  // namespace scorvale::imports
