#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

#if __has_include(<sys/mman.h>)  // not on Windows: no huge pages asked for there
#include <sys/mman.h>
#endif

#include "gamefile/extra_lines.h"
#include "gamefile/file_lines.h"
#include "gamefile/game_file.h"
#include "gamefile/pair_decoder.h"
#include "gamefile/name_index.h"
#include "gamefile/safe_file.h"

namespace scorvale {

namespace {

using namespace gamefile;

// One line of the file, decoded into a scratch buffer that the tag rules edit
// in place: a tag is found anywhere in the line, and taking its value removes
// every occurrence of it from the line.
class Line {
public:
    Line(char* data, std::size_t size) : data_(data), size_(size) {}
    // A line whose '[' bytes are known: bit i of `brackets` for data[i].
    Line(char* data, std::size_t size, std::uint64_t brackets) : data_(data), size_(size) {
        if (brackets == 0) {
            brackets_ = Brackets::none;
            return;
        }
        bracket_ = data + __builtin_ctzll(brackets);
        brackets_ = Brackets::one;
        for (brackets &= brackets - 1; brackets != 0; brackets &= brackets - 1)
            if (startsTag(data + __builtin_ctzll(brackets))) {
                brackets_ = Brackets::many;
                break;
            }
    }

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

    // Whether the line's only '[' that can start a tag is its first byte.
    bool onlyTagAtStart() { return brackets() == Brackets::one && bracket_ == data_; }

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
                    if (startsTag(p)) {
                        brackets_ = Brackets::many;
                        break;
                    }
                }
            }
        }
        return brackets_;
    }

    // Whether a tag may start at the '[' at `p`; the shortest tag has seven characters.
    bool startsTag(const char* p) const { return data_ + size_ - p >= 7 && (p[2] == '_' || p[1] == 'A'); }

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
// raw line that holds the game name tag, plain from there on. CR LF and LF both end a
// line; a line feed the decoding produces is dropped like the line's own.
class LineSource {
public:
    explicit LineSource(std::string_view bytes) : bytes_(bytes), buffer_(128, '\0') {}

    std::optional<Line> next() {
        if (pos_ >= bytes_.size()) return std::nullopt;
        const char* start = bytes_.data() + pos_;
        const std::size_t left = bytes_.size() - pos_;
        if (!plain_ && left >= 64) {
            // The usual scrambled line: its end within the next 64 bytes, no
            // raw '[' (so no switch to plain text).
            char* out = buffer_.data();
            const detail::Window w = detail::decodeWindow(start, out);
            if (w.rawLineFeeds != 0) {
                const unsigned at = static_cast<unsigned>(__builtin_ctzll(w.rawLineFeeds));
                if ((w.rawBrackets & ((std::uint64_t{1} << at) - 1)) == 0) {
                    pos_ += at + 1;
                    const std::size_t pairs = (at > 0 && start[at - 1] == '\r' ? at - 1 : at) / 2;
                    const std::uint32_t valid = (1u << pairs) - 1;
                    if ((w.lineFeeds & valid) == 0) return Line(out, pairs, w.brackets & valid);
                    return Line(out, dropLineFeeds(out, pairs));
                }
            }
        }
        const auto* lf = static_cast<const char*>(std::memchr(start, '\n', left));
        std::size_t n = lf == nullptr ? left : static_cast<std::size_t>(lf - start);
        pos_ += lf == nullptr ? left : n + 1;
        if (lf != nullptr && n > 0 && start[n - 1] == '\r') --n;

        if (!plain_ && mayHoldBracket(start, n) && std::string_view(start, n).find(kGameNameTag) != std::string_view::npos)
            plain_ = true;
        // A block writes up to 16 bytes past the line's decoded end.
        if (buffer_.size() < n + 16) buffer_.resize(std::max(n + 16, buffer_.size() * 2));
        char* out = buffer_.data();
        if (plain_) {
            std::memcpy(out, start, n);
            return Line(out, n);
        }
        // An unpaired last character is dropped.
        const std::size_t pairs = n / 2;
        std::size_t k = 0;
        // A block may read on into the next line, never past the input.
        for (; k < pairs && 2 * k + 32 <= left; k += 16) detail::decodeBlock(start + 2 * k, out + k);
        if (k < pairs) detail::decodePairs(start + 2 * k, pairs - k, out + k);
        if (pairs == 0 || std::memchr(out, '\n', pairs) == nullptr) return Line(out, pairs);
        return Line(out, dropLineFeeds(out, pairs));
    }

    // Offset of the next line in the bytes.
    std::size_t position() const { return pos_; }

private:
    // Decoded line feeds are rare; they are dropped. Returns the new size.
    static std::size_t dropLineFeeds(char* text, std::size_t size) {
        return static_cast<std::size_t>(std::remove(text, text + size, '\n') - text);
    }

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

// The letters after '[' of a section's tags: a line without "[X_" for one
// of them carries none of its tags.
constexpr char kGameLetter = kSettingsLines.front().tag[1];
constexpr char kReportLetter = kSettingsLines.back().tag[1];
constexpr char kTeamLetter = kTeamLines.front().tag[1];
constexpr char kMemberLetter = kMemberLines.front().tag[1];

void readSettings(Line& line, Game& game) {
    if (!line.mayCarry(kGameLetter, kReportLetter)) return;
    for (const SettingsLine& tag : kSettingsLines) {
        const auto value = line.take(tag.tag);
        if (!value) continue;
        switch (tag.kind) {
            case LineKind::number: game.settings.*tag.number = intValue(*value); break;
            case LineKind::multiLine: settingsText(game, tag) = multiLineValue(*value); break;
            default: settingsText(game, tag).assign(*value); break;
        }
    }
}

void readTeamLine(Line& line, Team& t) {
    if (!line.mayCarry(kTeamLetter, kTeamLetter)) return;
    for (const TeamTag id : kTeamReadOrder) {
        const TeamLine& tag = teamLine(id);
        const auto value = line.take(tag.tag);
        if (!value) continue;
        if (tag.number != nullptr) t.*tag.number = intValue(*value);
        else t.*tag.text = *value;
    }
}

// Whether `text` starts with `tag`.
[[gnu::always_inline]] inline bool startsWith(std::string_view text, std::string_view tag) {
    return text.size() >= tag.size() && std::memcmp(text.data(), tag.data(), tag.size()) == 0;
}

// Reads a member line; true for the section's end line. `m` is null for a
// section that will be dropped, whose lines are still edited so that its end
// is found by the same rule.
bool readMemberLine(Line& line, Member* m) {
    constexpr std::string_view kVote = memberLine(MemberTag::vote).tag;
    constexpr std::string_view kDate = memberLine(MemberTag::date).tag;
    constexpr std::string_view kSymbol = memberLine(MemberTag::symbol).tag;
    constexpr std::string_view kEnd = memberLine(MemberTag::end).tag;
    // The member tags differ in their fourth character.
    static_assert(kVote[3] != kDate[3] && kVote[3] != kSymbol[3] && kVote[3] != kEnd[3] && kDate[3] != kSymbol[3] &&
                  kDate[3] != kEnd[3] && kSymbol[3] != kEnd[3]);
    if (line.onlyTagAtStart()) {
        // The usual line: only the tag it starts with can apply, and taking
        // it leaves no other.
        const std::string_view text = line.view();
        switch (text.size() >= 4 ? text[3] : '\0') {
            case kVote[3]:
                if (startsWith(text, kVote) && m != nullptr) m->appendVote(text.substr(kVote.size()));
                return false;
            case kDate[3]:
                if (startsWith(text, kDate) && m != nullptr) m->date = text.substr(kDate.size());
                return false;
            case kSymbol[3]:
                if (startsWith(text, kSymbol) && m != nullptr) m->symbol = text.substr(kSymbol.size());
                return false;
            case kEnd[3]:
                return startsWith(text, kEnd);
            default:
                return false;
        }
    }
    if (line.mayCarry(kMemberLetter, kMemberLetter)) {
        for (const MemberTag id : kMemberReadOrder) {
            const MemberLine& tag = memberLine(id);
            const auto value = line.take(tag.tag);
            if (!value || m == nullptr) continue;
            if (tag.kind == LineKind::vote) m->appendVote(*value);  // beyond 64 refused
            else m->*tag.text = *value;
        }
    }
    return line.contains(kEnd);
}

// Asks for huge pages where a big block of records is still to be written:
// first touches of fresh memory cost one fault per 4 KB page otherwise.
void adviseHugePages(void* start, std::size_t bytes) {
#if defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t kHuge = std::uintptr_t{2} << 20;
    const auto from = (reinterpret_cast<std::uintptr_t>(start) + kHuge - 1) & ~(kHuge - 1);
    const auto to = (reinterpret_cast<std::uintptr_t>(start) + bytes) & ~(kHuge - 1);
    if (to > from) ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
#else
    (void)start;
    (void)bytes;
#endif
}

// Room for the members still to come, guessed from the average size of the
// member sections read so far and the bytes left. Until many sections have
// been seen the guess is kept small: a file of a few small sections and a
// large rest must not reserve room for millions. Never grows by less than
// half, so a wrong guess costs no more than the vector's own growth.
void reserveMembers(std::vector<Member>& members, detail::NameIndex<Member>& index, std::size_t sections,
                    std::size_t sectionBytes, std::size_t bytesLeft) {
    constexpr std::size_t kSample = 1024;
    // A floor on the section size bounds the guess for files of tiny sections.
    const std::size_t average = std::max<std::size_t>(sectionBytes / std::max<std::size_t>(sections, 1), 64);
    std::size_t more = bytesLeft / average + 1;
    if (sections < kSample) more = std::min(more, kSample);
    more = std::max(more, members.size() / 2 + 1);
    members.reserve(members.size() + more);
    index.reserve(members.capacity());
    adviseHugePages(members.data() + members.size(), (members.capacity() - members.size()) * sizeof(Member));
}

// Reads the game's own lines; returns where they stopped: just after the end
// line, or the size of `bytes` when the file has none.
std::size_t readGameLines(Game& game, std::string_view bytes, unsigned flags) {
    LineSource lines(bytes);
    std::optional<detail::NameIndex<Team>> teamIndex;
    std::optional<detail::NameIndex<Member>> memberIndex;
    if (flags & ReadTeams) teamIndex.emplace(game.teams());
    if (flags & ReadMembers) memberIndex.emplace(game.members());

    // Member sections read so far and their bytes, for the reserve.
    std::size_t sections = 0;
    std::size_t sectionBytes = 0;
    // Into a game with members, a name is looked up first, so that a section
    // to be dropped is not built. Into an empty one a name is seldom present:
    // it is looked up at the section's end, by when its slot, fetched at the
    // start, has come in from memory.
    const bool checkNamesFirst = !game.members().empty();
    std::optional<Line> line = lines.next();
    while (line) {
        if (flags & ReadSettings) readSettings(*line, game);

        if (auto name = line->take(teamLine(TeamTag::name).tag); name && (flags & ReadTeams)) {
            Team team;
            team.name = *name;
            for (;;) {
                line = lines.next();
                if (!line) break;  // an unfinished section still counts
                readTeamLine(*line, team);
                if (line->contains(teamLine(TeamTag::end).tag)) break;
            }
            if (!teamIndex->contains(team.name.view())) {
                game.addTeam(std::move(team));
                teamIndex->addLast();
            }
            if (!line) break;
        }

        if (auto name = line->take(memberLine(MemberTag::name).tag); name && (flags & ReadMembers)) {
            Member member;
            member.name = *name;
            const std::uint32_t hash = memberIndex->hashOf(member.name.view());
            bool keep = true;
            if (checkNamesFirst) keep = !memberIndex->contains(member.name.view(), hash);
            else memberIndex->prefetch(hash);
            const std::size_t sectionStart = lines.position();
            for (;;) {
                line = lines.next();
                if (!line) break;
                if (readMemberLine(*line, keep ? &member : nullptr)) break;
            }
            if (!checkNamesFirst) keep = !memberIndex->contains(member.name.view(), hash);
            ++sections;
            sectionBytes += lines.position() - sectionStart;
            if (keep) {
                if (game.members().size() == game.members().capacity())
                    reserveMembers(game.members(), *memberIndex, sections, sectionBytes, bytes.size() - lines.position());
                game.addMember(std::move(member));
                memberIndex->addLast();
            }
            if (!line) break;
        }

        if (line->contains(kFileEnd)) return lines.position();
        line = lines.next();
    }
    return bytes.size();
}

}  // namespace

void loadGameBytes(Game& game, std::string_view bytes, unsigned flags) {
    const std::size_t end = readGameLines(game, bytes, flags);
    if (flags & ReadExtras) readExtraLines(game, bytes.substr(end));
}

bool holdsGame(std::string_view bytes) {
    LineSource lines(bytes);
    for (std::optional<Line> line = lines.next(); line; line = lines.next()) {
        const std::string_view text = line->view();
        if (text.find(kGameNameTag) != std::string_view::npos) return true;
        if (text.find(kFileEnd) != std::string_view::npos) return false;
    }
    return false;
}

void loadGame(Game& game, const std::string& path, unsigned flags) { loadGameBytes(game, readWholeFile(path), flags); }

}  // namespace scorvale
