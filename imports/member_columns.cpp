#include "imports/member_columns.h"

#include <algorithm>
#include <span>
#include <tuple>
#include <unordered_set>

#include "imports/form_date.h"
#include "text/normalize.h"

namespace scorvale::imports {

namespace {

constexpr std::size_t kSampleRows = 500;
// Team names are short: longer cells are not matched, which keeps comments
// out of the matcher.
constexpr std::size_t kLongestTeamCell = 64;
// A column of texts longer than this on average is comments, not names.
constexpr std::size_t kLongestNameAverage = 20;

// Headings that say what a column holds, compared in normalised form.
constexpr std::string_view kNameWords[] = {"名前", "氏名", "ニックネーム", "ハンドル", "参加者", "表示名",
                                           "ペンネーム", "name", "nickname", "player", "participant"};
constexpr std::string_view kCommentWords[] = {"コメント", "ひとこと", "一言", "メッセージ", "備考", "感想",
                                              "意気込み", "自由記述", "comment", "message", "remark", "note"};

bool mentions(const std::string& heading, std::span<const std::string_view> words) {
    return std::any_of(words.begin(), words.end(),
                       [&](std::string_view w) { return heading.find(w) != std::string::npos; });
}

bool isEmail(std::string_view s) {
    const std::size_t at = s.find('@');
    if (at == 0 || at == std::string_view::npos || s.find('@', at + 1) != std::string_view::npos) return false;
    const std::size_t dot = s.find('.', at + 2);
    return dot != std::string_view::npos && dot + 1 < s.size() &&
           s.find_first_of(" \t\r\n,;\"") == std::string_view::npos;
}

bool isNumber(std::string_view s) {
    return !s.empty() && s.size() <= 9 && s.find_first_not_of("0123456789") == std::string_view::npos;
}

std::size_t characters(std::string_view utf8) {
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// What a column's sample holds.
struct Tally {
    std::size_t filled = 0;
    std::size_t dates = 0;
    std::size_t emails = 0;
    std::size_t numbers = 0;
    std::size_t teams = 0;
    std::size_t lineBreaks = 0;
    std::size_t characters = 0;
    std::unordered_set<std::string_view> distinct;

    ColumnKind kind() const {
        const auto most = [&](std::size_t n) { return n * 5 >= filled * 4; };
        if (filled == 0) return ColumnKind::empty;
        if (most(dates)) return ColumnKind::timestamp;
        if (most(emails)) return ColumnKind::email;
        if (teams * 2 >= filled) return ColumnKind::team;
        if (most(numbers)) return ColumnKind::number;
        if (lineBreaks > 0 || characters > kLongestNameAverage * filled) return ColumnKind::freeText;
        return ColumnKind::text;
    }
};

class Guesser {
public:
    Guesser(const MembersFile& file, TeamMatcher& matcher) : table_(file.table), matcher_(matcher) {}

    ColumnGuess guess() {
        ColumnGuess g;
        const std::size_t width = table_.columnCount();
        const std::size_t rows = table_.rowCount();
        // A file of one record is read from that record.
        const std::size_t from = rows > 1 ? 1 : 0;
        const std::size_t to = std::min(rows, from + kSampleRows);
        std::vector<Tally> tallies(width);
        for (std::size_t row = from; row < to; ++row)
            for (std::size_t c = 1; c <= table_.width(row); ++c) count(tallies[c - 1], table_.cell(row, c));

        g.kinds.resize(width);
        for (std::size_t c = 0; c < width; ++c) g.kinds[c] = tallies[c].kind();
        g.header = rows > 0 && !looksLikeData(g.kinds);
        // What the headings say: a comment's heading makes comments of short answers.
        std::vector<std::string> headings(width);
        if (g.header) {
            for (std::size_t c = 1; c <= width; ++c) headings[c - 1] = text::normalizeName(table_.cell(0, c));
            for (std::size_t c = 0; c < width; ++c)
                if (g.kinds[c] == ColumnKind::text && mentions(headings[c], kCommentWords))
                    g.kinds[c] = ColumnKind::freeText;
        }
        findTeamRun(g);
        findDate(g);
        rankNames(g, tallies, headings);
        return g;
    }

private:
    void count(Tally& t, std::string_view raw) {
        const std::string_view cell = text::trimSpaces(raw);
        if (cell.empty()) return;
        ++t.filled;
        t.distinct.insert(cell);
        t.characters += characters(cell);
        if (cell.find_first_of("\r\n") != std::string_view::npos) ++t.lineBreaks;
        if (isNumber(cell)) ++t.numbers;
        else if (isEmail(cell)) ++t.emails;
        else if (formDate(cell)) ++t.dates;
        else if (cell.size() <= kLongestTeamCell && matcher_.match(cell).team >= 0) ++t.teams;
    }

    // The first record holds, where the others hold teams, timestamps or
    // addresses, the same: it is a member, not a header.
    bool looksLikeData(const std::vector<ColumnKind>& kinds) {
        for (std::size_t c = 1; c <= table_.width(0); ++c) {
            const std::string_view cell = text::trimSpaces(table_.cell(0, c));
            if (cell.empty()) continue;
            switch (kinds[c - 1]) {
                case ColumnKind::team:
                    if (cell.size() <= kLongestTeamCell && matcher_.match(cell).team >= 0) return true;
                    break;
                case ColumnKind::timestamp:
                    if (formDate(cell)) return true;
                    break;
                case ColumnKind::email:
                    if (isEmail(cell)) return true;
                    break;
                default: break;
            }
        }
        return false;
    }

    // The longest run of team columns; empty columns between two of them belong to it.
    static void findTeamRun(ColumnGuess& g) {
        const auto& k = g.kinds;
        for (std::size_t c = 0; c < k.size();) {
            if (k[c] != ColumnKind::team) {
                ++c;
                continue;
            }
            std::size_t last = c;
            for (std::size_t next = c + 1; next < k.size(); ++next) {
                if (k[next] == ColumnKind::team) last = next;
                else if (k[next] != ColumnKind::empty) break;
            }
            if (g.firstTeamColumn == 0 || last - c > g.lastTeamColumn - g.firstTeamColumn) {
                g.firstTeamColumn = c + 1;
                g.lastTeamColumn = last + 1;
            }
            c = last + 1;
        }
    }

    // A form's own timestamp comes first; of a run (started, completed) the last.
    static void findDate(ColumnGuess& g) {
        const auto& k = g.kinds;
        const auto first = std::find(k.begin(), k.end(), ColumnKind::timestamp);
        if (first == k.end()) return;
        auto last = first;
        while (last + 1 != k.end() && *(last + 1) == ColumnKind::timestamp) ++last;
        g.dateColumn = static_cast<std::size_t>(last - k.begin()) + 1;
    }

    void rankNames(ColumnGuess& g, const std::vector<Tally>& tallies, const std::vector<std::string>& headings) {
        std::vector<std::pair<double, std::size_t>> scored;
        for (std::size_t c = 0; c < g.kinds.size(); ++c) {
            const Tally& t = tallies[c];
            if (g.kinds[c] != ColumnKind::text) continue;
            // The same answer everywhere (a consent box) names nobody.
            if (t.filled >= 3 && t.distinct.size() == 1) continue;
            const double sample = static_cast<double>(std::max<std::size_t>(sampleSize(), 1));
            double score = static_cast<double>(t.filled) / sample +
                           static_cast<double>(t.distinct.size()) / static_cast<double>(t.filled);
            if (mentions(headings[c], kNameWords)) score += 1.0;
            if (g.firstTeamColumn == 0 || c + 1 < g.firstTeamColumn) score += 0.25;
            scored.emplace_back(-score, c + 1);
        }
        std::sort(scored.begin(), scored.end());
        for (const auto& [score, column] : scored) g.nameCandidates.push_back(column);
    }

    std::size_t sampleSize() const {
        const std::size_t rows = table_.rowCount();
        const std::size_t from = rows > 1 ? 1 : 0;
        return std::min(rows, from + kSampleRows) - from;
    }

    const text::CsvTable& table_;
    TeamMatcher& matcher_;
};

bool inRange(std::size_t c, std::size_t first, std::size_t last) { return c != 0 && c >= first && c <= last; }

}  // namespace

ColumnGuess guessMemberColumns(const MembersFile& file, TeamMatcher& matcher) { return Guesser(file, matcher).guess(); }

MemberImportOptions chooseMemberColumns(const ColumnGuess& guess, const ColumnChoices& fixed, MemberImportOptions base) {
    MemberImportOptions o = std::move(base);
    o.header = fixed.header.value_or(guess.header);
    std::size_t first = guess.firstTeamColumn;
    std::size_t last = guess.lastTeamColumn;
    if (fixed.voteColumns) std::tie(first, last) = *fixed.voteColumns;
    const std::size_t fixedDate = fixed.dateColumn.value_or(0);

    // A fixed name or date inside the guessed run: the part of the run after it, else before it.
    if (!fixed.voteColumns && first > 0) {
        for (const std::size_t c : {fixed.nameColumn.value_or(0), fixedDate}) {
            if (!inRange(c, first, last)) continue;
            if (c < last) first = c + 1;
            else last = c - 1;
            if (first > last) first = last = 0;
        }
    }

    const auto isPick = [&](std::size_t c) { return inRange(c, first, last); };
    if (fixed.nameColumn) {
        o.nameColumn = *fixed.nameColumn;
    } else {
        o.nameColumn = 0;
        for (const std::size_t c : guess.nameCandidates) {
            if (!isPick(c) && c != fixedDate) {
                o.nameColumn = c;
                break;
            }
        }
    }
    if (fixed.dateColumn) o.dateColumn = *fixed.dateColumn;
    else o.dateColumn = isPick(guess.dateColumn) || guess.dateColumn == o.nameColumn ? 0 : guess.dateColumn;

    // No team columns: the short texts right after the name.
    if (first == 0 && o.nameColumn > 0) {
        for (std::size_t c = o.nameColumn + 1; c <= guess.kinds.size() && c != o.dateColumn; ++c) {
            const ColumnKind kind = guess.kinds[c - 1];
            if (kind != ColumnKind::text && kind != ColumnKind::empty) break;
            if (kind == ColumnKind::text) {
                if (first == 0) first = c;
                last = c;
            }
        }
    }
    o.firstVoteColumn = first;
    o.lastVoteColumn = last;
    return o;
}

}  // namespace scorvale::imports
