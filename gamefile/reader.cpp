#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

#include "gamefile/game_file.h"
#include "gamefile/hex_code.h"
#include "gamefile/name_index.h"
#include "gamefile/safe_file.h"

namespace scorvale {

namespace {

// One line of the file, decoded into a scratch buffer that the tag rules edit
// in place: a tag is found anywhere in the line, and taking its value removes
// every occurrence of it from the line.
class Line {
public:
    Line(char* data, std::size_t size) : data_(data), size_(size) {}

    std::string_view view() const { return {data_, size_}; }

    [[gnu::always_inline]] bool contains(std::string_view tag) {
        switch (brackets()) {
        case Brackets::none:
            return false;
        case Brackets::one:
            return startsAt(bracket_, tag);
        default:
            return find(bracket_, tag) != nullptr;
        }
    }

    // Whether any "[X_" with X `a` or `b` occurs: no tag of that section can
    // be in a line without one.
    bool mayCarry(char a, char b) {
        const Brackets kind = brackets();
        if (kind == Brackets::none) return false;
        const char* end = data_ + size_;
        if (kind == Brackets::one) return end - bracket_ >= 3 && (bracket_[1] == a || bracket_[1] == b) && bracket_[2] == '_';
        for (const char* p = bracket_; p != nullptr && end - p >= 3; ++p) {
            p = static_cast<const char*>(std::memchr(p, '[', static_cast<std::size_t>(end - p - 2)));
            if (p == nullptr) return false;
            if ((p[1] == a || p[1] == b) && p[2] == '_') return true;
        }
        return false;
    }

    // Removes every occurrence of `tag` left to right; the value is the rest.
    [[gnu::always_inline]] std::optional<std::string_view> take(std::string_view tag) {
        const Brackets kind = brackets();
        if (kind == Brackets::none) return std::nullopt;
        char* end = data_ + size_;
        if (kind == Brackets::one) {
            // A tag holds one '[' only: removing the line's single occurrence
            // leaves a line without any.
            if (!startsAt(bracket_, tag)) return std::nullopt;
            if (bracket_ == data_) {
                // The usual line: the value is what follows the tag.
                data_ += tag.size();
            } else {
                char* hit = data_ + (bracket_ - data_);
                const char* rest = hit + tag.size();
                std::memmove(hit, rest, static_cast<std::size_t>(end - rest));
            }
            size_ -= tag.size();
            brackets_ = Brackets::none;
            return view();
        }
        char* hit = find(bracket_, tag);
        if (hit == nullptr) return std::nullopt;
        char* dst = hit;
        const char* src = hit + tag.size();
        for (;;) {
            const char* next = find(src, tag);
            const char* stop = next == nullptr ? end : next;
            const std::size_t run = static_cast<std::size_t>(stop - src);
            std::memmove(dst, src, run);
            dst += run;
            if (next == nullptr) break;
            src = next + tag.size();
        }
        size_ = static_cast<std::size_t>(dst - data_);
        brackets_ = Brackets::unknown;
        return view();
    }

private:
    // Every tag starts with "[X_" or "[A". When the first '[' of the line is
    // the only one that can start a tag (Shift-JIS texts hold other '['
    // bytes), each test is one comparison there; taking that tag leaves a
    // line that holds none, since the rest after it is left as it was.
    enum class Brackets : unsigned char { unknown, none, one, many };

    Brackets brackets() {
        if (brackets_ == Brackets::unknown) {
            if (size_ == 0) bracket_ = nullptr;
            else if (data_[0] == '[') bracket_ = data_;  // the usual line: a tag and its value
            else bracket_ = static_cast<const char*>(std::memchr(data_, '[', size_));
            if (bracket_ == nullptr) {
                brackets_ = Brackets::none;
            } else {
                brackets_ = Brackets::one;
                const char* end = data_ + size_;
                for (const char* p = bracket_ + 1; p < end; ++p) {
                    p = static_cast<const char*>(std::memchr(p, '[', static_cast<std::size_t>(end - p)));
                    if (p == nullptr) break;
                    // The shortest tag has seven characters.
                    if (end - p >= 7 && (p[2] == '_' || p[1] == 'A')) {
                        brackets_ = Brackets::many;
                        break;
                    }
                }
            }
        }
        return brackets_;
    }

    [[gnu::always_inline]] bool startsAt(const char* p, std::string_view tag) const {
        if (static_cast<std::size_t>(data_ + size_ - p) < tag.size()) return false;
        // Tags are short and most tests fail within the first few characters.
        for (std::size_t i = 0; i < tag.size(); ++i)
            if (p[i] != tag[i]) return false;
        return true;
    }

    char* find(const char* from, std::string_view tag) const {
        if (from == nullptr) return nullptr;
        const char* end = data_ + size_;
        while (static_cast<std::size_t>(end - from) >= tag.size()) {
            const char* p = static_cast<const char*>(
                std::memchr(from, '[', static_cast<std::size_t>(end - from) - tag.size() + 1));
            if (p == nullptr) return nullptr;
            if (std::memcmp(p, tag.data(), tag.size()) == 0) return const_cast<char*>(p);
            from = p + 1;
        }
        return nullptr;
    }

    char* data_;
    std::size_t size_;
    const char* bracket_ = nullptr;
    Brackets brackets_ = Brackets::unknown;
};

// The file's lines in order, each decoded on demand: scrambled until the first
// raw line that holds "[G_NAME]", plain from there on. CR LF and LF both end a
// line; a line feed the decoding produces is dropped like the line's own.
// The decoded byte of every two raw characters, indexed by their bytes as
// they lie in memory: one load a pair.
const std::array<std::uint8_t, 65536>& decodedPairs() {
    static const std::array<std::uint8_t, 65536> table = [] {
        std::array<std::uint8_t, 65536> t{};
        for (unsigned c1 = 0; c1 < 256; ++c1)
            for (unsigned c2 = 0; c2 < 256; ++c2) {
                const unsigned char pair[2] = {static_cast<unsigned char>(c1), static_cast<unsigned char>(c2)};
                std::uint16_t index;
                std::memcpy(&index, pair, 2);
                t[index] = detail::kHex.decode(pair[0], pair[1]);
            }
        return t;
    }();
    return table;
}

class LineSource {
public:
    explicit LineSource(std::string_view bytes) : bytes_(bytes) {}

    std::optional<Line> next() {
        if (pos_ >= bytes_.size()) return std::nullopt;
        const char* start = bytes_.data() + pos_;
        const std::size_t left = bytes_.size() - pos_;
        const auto* lf = static_cast<const char*>(std::memchr(start, '\n', left));
        std::size_t n = lf == nullptr ? left : static_cast<std::size_t>(lf - start);
        pos_ += lf == nullptr ? left : n + 1;
        if (lf != nullptr && n > 0 && start[n - 1] == '\r') --n;

        if (!plain_ && mayHoldBracket(start, n) && std::string_view(start, n).find("[G_NAME]") != std::string_view::npos)
            plain_ = true;
        if (buffer_.size() < n) buffer_.resize(std::max(n, buffer_.size() * 2));
        char* out = buffer_.data();
        if (plain_) {
            std::memcpy(out, start, n);
            return Line(out, n);
        }
        // An unpaired last character is dropped.
        const auto* in = reinterpret_cast<const unsigned char*>(start);
        const std::size_t pairs = n / 2;
        const auto& pairTable = decodedPairs();
        std::size_t k = 0;
        for (; k + 2 <= pairs; k += 2) {
            std::uint16_t p0, p1;
            std::memcpy(&p0, in + 2 * k, 2);
            std::memcpy(&p1, in + 2 * k + 2, 2);
            out[k] = static_cast<char>(pairTable[p0]);
            out[k + 1] = static_cast<char>(pairTable[p1]);
        }
        if (k < pairs) out[k] = static_cast<char>(detail::kHex.decode(in[2 * k], in[2 * k + 1]));
        // Decoded line feeds are rare; they are dropped.
        if (pairs == 0 || std::memchr(out, '\n', pairs) == nullptr) return Line(out, pairs);
        char* dst = std::remove(out, out + pairs, '\n');
        return Line(out, static_cast<std::size_t>(dst - out));
    }

    // Offset of the next line in the bytes.
    std::size_t position() const { return pos_; }

private:
    // Whether the raw line at `start` may hold a '['. The next '[' in the
    // bytes is looked up once and kept, since lines only move forward:
    // scrambled text holds none.
    bool mayHoldBracket(const char* start, std::size_t n) {
        const std::size_t at = static_cast<std::size_t>(start - bytes_.data());
        if (bracket_ < at) {
            const auto* p = static_cast<const char*>(std::memchr(start, '[', bytes_.size() - at));
            bracket_ = p == nullptr ? bytes_.size() : static_cast<std::size_t>(p - bytes_.data());
        }
        return bracket_ < at + n;
    }

    std::string_view bytes_;
    std::size_t pos_ = 0;
    // Position of the next '[' from the last search (the size when none is left).
    std::size_t bracket_ = 0;
    bool plain_ = false;
    std::string buffer_;
};

// Leading blanks, an optional sign, digits up to the first other character;
// no digits give 0, a value beyond 32 bits the nearest bound.
std::int32_t intValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kLimit) value = kLimit;
    }
    if (negative) return static_cast<std::int32_t>(-value);
    return value >= kLimit ? std::numeric_limits<std::int32_t>::max() : static_cast<std::int32_t>(value);
}

std::string multiLineValue(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    std::size_t from = 0;
    for (;;) {
        const std::size_t cr = value.find("<CR>", from);
        if (cr == std::string_view::npos) break;
        out.append(value.substr(from, cr - from));
        out.append("\r\n");
        from = cr + 4;
    }
    out.append(value.substr(from));
    return out;
}

void readSettings(Line& line, Game& game) {
    if (!line.mayCarry('G', 'R')) return;
    GameSettings& s = game.settings;
    ReportSettings& r = game.report;
    auto text = [&](std::string_view tag, std::string& field) {
        if (auto v = line.take(tag)) field.assign(*v);
    };
    auto number = [&](std::string_view tag, std::int32_t& field) {
        if (auto v = line.take(tag)) field = intValue(*v);
    };
    auto multi = [&](std::string_view tag, std::string& field) {
        if (auto v = line.take(tag)) field = multiLineValue(*v);
    };
    text("[G_NAME]", s.name);
    number("[G_WINNER]", s.winPoints);
    number("[G_LOSER]", s.losePoints);
    number("[G_DRAW]", s.drawPoints);
    number("[G_TWINNER]", s.tournamentWinPoints);
    number("[G_MAXBET]", s.maxBet);
    number("[G_RATE]", s.rate);
    number("[G_1BONUS]", s.bonus1);
    number("[G_2BONUS]", s.bonus2);
    number("[G_3BONUS]", s.bonus3);
    number("[G_QBONUS]", s.qualifyBonus);
    number("[G_OVER]", s.over);
    text("[G_DATE]", s.date);
    number("[G_PASS]", s.password);
    text("[R_EDITOR]", r.editor);
    multi("[R_HEAD]", r.head);
    multi("[R_FOOT]", r.foot);
    text("[R_BIMG]", r.backgroundImage);
    text("[R_TIMG]", r.topImage);
    text("[R_LIMG]", r.leftImage);
    text("[R_RIMG]", r.rightImage);
}

void readTeamLine(Line& line, Team& t) {
    if (!line.mayCarry('T', 'T')) return;
    auto number = [&](std::string_view tag, std::int32_t& field) {
        if (auto v = line.take(tag)) field = intValue(*v);
    };
    auto text = [&](std::string_view tag, TextField& field) {
        if (auto v = line.take(tag)) field = *v;
    };
    number("[T_WIN]", t.wins);
    number("[T_LOSE]", t.losses);
    number("[T_DRAW]", t.draws);
    number("[T_TWIN]", t.tournamentWins);
    number("[T_PROFIT]", t.goalDiff);
    text("[T_DATE]", t.date);
    text("[T_SYMBOL]", t.symbol);
    text("[T_GROUP]", t.group);
    number("[T_OUT]", t.out);
    number("[T_QUALIFY]", t.qualify);
}

// A member section's votes, kept until its end so that the record gets them
// in one allocation. Only the first 64 count.
class VoteList {
public:
    void clear() {
        bytes_.clear();
        ends_.clear();
    }
    void add(std::string_view text) {
        if (ends_.size() >= static_cast<std::size_t>(Member::kMaxVotes)) return;
        // The record's text field cuts it at a NUL and to its size.
        bytes_.append(text);
        ends_.push_back(bytes_.size());
    }
    void moveTo(Member& m) const {
        m.reserveVotes(static_cast<int>(ends_.size()));
        std::size_t from = 0;
        for (const std::size_t end : ends_) {
            m.appendVote(std::string_view(bytes_).substr(from, end - from));
            from = end;
        }
    }

private:
    std::string bytes_;
    std::vector<std::size_t> ends_;
};

// Tests a member line; `m` is null for a section that will be dropped, whose
// lines are still edited so that its end is found by the same rule.
void readMemberLine(Line& line, Member* m, VoteList& votes) {
    if (!line.mayCarry('M', 'M')) return;
    if (auto v = line.take("[M_TEAM]"); v && m != nullptr) votes.add(*v);
    if (auto v = line.take("[M_DATE]"); v && m != nullptr) m->date = *v;
    if (auto v = line.take("[M_SYMBOL]"); v && m != nullptr) m->symbol = *v;
}

}  // namespace

void loadGameBytes(Game& game, std::string_view bytes, unsigned flags) {
    LineSource lines(bytes);
    std::optional<detail::NameIndex<Team>> teamIndex;
    std::optional<detail::NameIndex<Member>> memberIndex;
    if (flags & ReadTeams) teamIndex.emplace(game.teams());
    if (flags & ReadMembers) memberIndex.emplace(game.members());

    VoteList votes;
    bool reserved = false;
    std::optional<Line> line = lines.next();
    while (line) {
        if (flags & ReadSettings) readSettings(*line, game);

        if (auto name = line->take("[T_NAME]"); name && (flags & ReadTeams)) {
            Team team;
            team.name = *name;
            for (;;) {
                line = lines.next();
                if (!line) break;  // an unfinished section still counts
                readTeamLine(*line, team);
                if (line->contains("[T_END]")) break;
            }
            if (!teamIndex->contains(team.name.view())) {
                game.addTeam(std::move(team));
                teamIndex->addLast();
            }
            if (!line) break;
        }

        if (auto name = line->take("[M_NAME]"); name && (flags & ReadMembers)) {
            Member member;
            member.name = *name;
            const bool keep = !memberIndex->contains(member.name.view());
            const std::size_t sectionStart = lines.position();
            votes.clear();
            for (;;) {
                line = lines.next();
                if (!line) break;
                readMemberLine(*line, keep ? &member : nullptr, votes);
                if (line->contains("[M_END]")) break;
            }
            if (keep) {
                votes.moveTo(member);
                if (!reserved) {
                    // Guess the members still to come from the size of this one's section.
                    reserved = true;
                    // A floor on the section size bounds the guess for files of tiny sections.
                    const std::size_t section = std::max<std::size_t>(lines.position() - sectionStart, 64);
                    game.members().reserve(game.members().size() + 1 + (bytes.size() - lines.position()) / section);
                }
                game.addMember(std::move(member));
                memberIndex->addLast();
            }
            if (!line) break;
        }

        if (line->contains("[ALL_END]")) break;
        line = lines.next();
    }
}

void loadGame(Game& game, const std::string& path, unsigned flags) { loadGameBytes(game, readWholeFile(path), flags); }

}  // namespace scorvale
