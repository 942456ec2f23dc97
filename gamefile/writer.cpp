#include <algorithm>
#include <charconv>
#include <cstdint>
#include <vector>

#include "gamefile/extra_lines.h"
#include "gamefile/file_lines.h"
#include "gamefile/game_file.h"
#include "gamefile/hex_code.h"
#include "gamefile/safe_file.h"

namespace scorvale {

namespace {

using namespace gamefile;

// Inside a one-line value a CR or LF would cut the file on disk: each is
// written as a space. A game that holds none is written byte for byte.
constexpr char oneLineByte(char ch) { return ch == '\n' || ch == '\r' ? ' ' : ch; }

// Plain lines, each ending in "\n".
struct PlainSink {
    std::string out;
    void put(std::string_view raw) { out.append(raw); }
    void putOneLine(std::string_view text) {
        const std::size_t from = out.size();
        out.append(text);
        for (std::size_t i = from; i < out.size(); ++i) out[i] = oneLineByte(out[i]);
    }
    void end() { out += '\n'; }
};

// Scrambled lines with CR LF ends, encoded into a fixed buffer that is handed
// on each time it fills: a save touches the same small memory however big
// the pool is.
class ScrambledSink {
public:
    explicit ScrambledSink(const ByteSink& out) : out_(out), buffer_(kChunk) {}

    void put(std::string_view raw) { encode(raw, [](char ch) { return ch; }); }
    void putOneLine(std::string_view text) { encode(text, oneLineByte); }
    void end() {
        if (kChunk - used_ < 2) flush();
        buffer_[used_++] = '\r';
        buffer_[used_++] = '\n';
    }
    void flush() {
        if (used_ > 0) out_(std::string_view(buffer_.data(), used_));
        used_ = 0;
    }

private:
    static constexpr std::size_t kChunk = std::size_t{1} << 17;

    // Every byte becomes two characters.
    template <typename Map>
    void encode(std::string_view text, Map map) {
        while (!text.empty()) {
            if (kChunk - used_ < 2) flush();
            const std::size_t n = std::min(text.size(), (kChunk - used_) / 2);
            char* dst = buffer_.data() + used_;
            for (const char ch : text.substr(0, n)) {
                const char* pair = &detail::kHex.encode[2u * static_cast<unsigned char>(map(ch))];
                *dst++ = pair[0];
                *dst++ = pair[1];
            }
            used_ += 2 * n;
            text.remove_prefix(n);
        }
    }

    const ByteSink& out_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
};

template <typename Sink>
void textLine(Sink& sink, std::string_view tag, std::string_view value) {
    sink.put(tag);
    sink.putOneLine(value);
    sink.end();
}

template <typename Sink>
void endLine(Sink& sink, std::string_view tag) {
    sink.put(tag);
    sink.end();
}

template <typename Sink, typename Int = std::int32_t>
void intLine(Sink& sink, std::string_view tag, Int value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    sink.put(tag);
    sink.put(std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
    sink.end();
}

// Head and foot keep to one line: each line break of the text is written
// "<CR>" (the CR LF the dialogs store, and a lone LF, which would cut the
// file); a lone CR stays.
template <typename Sink>
void multiLine(Sink& sink, std::string_view tag, std::string_view value) {
    sink.put(tag);
    std::size_t from = 0;
    for (;;) {
        const std::size_t lf = value.find('\n', from);
        if (lf == std::string_view::npos) break;
        const std::size_t cut = lf > from && value[lf - 1] == '\r' ? lf - 1 : lf;
        sink.put(value.substr(from, cut - from));
        sink.put("<CR>");
        from = lf + 1;
    }
    sink.put(value.substr(from));
    sink.end();
}

template <typename Sink, typename Record, std::size_t N>
void recordLines(Sink& sink, const std::array<RecordLine<Record>, N>& lines, const Record& record) {
    for (const RecordLine<Record>& line : lines) {
        switch (line.kind) {
            case LineKind::number: intLine(sink, line.tag, record.*line.number); break;
            case LineKind::name:
            case LineKind::text: textLine(sink, line.tag, (record.*line.text).view()); break;
            case LineKind::vote:
                if constexpr (std::is_same_v<Record, Member>)
                    for (const std::string_view vote : record.votes()) textLine(sink, line.tag, vote);
                break;
            case LineKind::end: endLine(sink, line.tag); break;
            case LineKind::multiLine: break;
        }
    }
}

template <typename Sink>
void teamResultsLine(Sink& sink, const RecordedResults& team) {
    char digits[kRecordedNumbers.size() * 12];
    char* at = digits;
    for (const auto field : kRecordedNumbers) {
        at = std::to_chars(at, digits + sizeof digits, team.*field).ptr;
        *at++ = ',';
    }
    sink.put(extraTag(ExtraTag::team));
    sink.put(std::string_view(digits, static_cast<std::size_t>(at - digits)));
    sink.putOneLine(team.name.view());
    sink.end();
}

template <typename Sink>
void writeExtras(Sink& sink, const Game& game) {
    if (!hasExtras(game)) return;
    intLine(sink, extraTag(ExtraTag::page), static_cast<std::int32_t>(game.page.kind));
    intLine(sink, extraTag(ExtraTag::picture), game.page.picture ? 1 : 0);
    for (const HistoryDay& day : game.history.days()) {
        textLine(sink, extraTag(ExtraTag::day), day.date);
        intLine(sink, extraTag(ExtraTag::fixed), day.rankingFixed ? 1 : 0);
        for (const RecordedResults& team : day.teams) teamResultsLine(sink, team);
        intLine(sink, extraTag(ExtraTag::dayEnd), day.teams.size());
    }
}

template <typename Sink>
void writeSettings(Sink& sink, const Game& game) {
    for (const SettingsLine& line : kSettingsLines) {
        switch (line.kind) {
            case LineKind::number: intLine(sink, line.tag, game.settings.*line.number); break;
            case LineKind::multiLine: multiLine(sink, line.tag, settingsText(game, line)); break;
            default: textLine(sink, line.tag, settingsText(game, line)); break;
        }
    }
    endLine(sink, kSettingsEnd);
}

template <typename Sink>
void writeGame(Sink& sink, const Game& game) {
    writeSettings(sink, game);
    for (const Team& t : game.teams()) recordLines(sink, kTeamLines, t);
    for (const Member& m : game.members()) recordLines(sink, kMemberLines, m);
    endLine(sink, kFileEnd);
    writeExtras(sink, game);
}

std::size_t estimatedPlainSize(const Game& game) {
    std::size_t size = 512 + game.settings.name.size() + game.report.head.size() * 2 + game.report.foot.size() * 2 +
                       game.report.editor.size();
    size += game.teams().size() * 180;
    for (const Member& m : game.members()) size += 48 + m.name.size() + m.date.size() + m.symbol.size() + m.votes().byteSize() * 2 + m.votes().size() * 12;
    for (const HistoryDay& day : game.history.days()) size += 48 + day.teams.size() * 40;
    return size;
}

}  // namespace

namespace gamefile {
bool hasExtras(const Game& game) { return !game.history.empty() || game.page != PageChoice{}; }
}  // namespace gamefile

std::string gameFileText(const Game& game) {
    PlainSink sink;
    sink.out.reserve(estimatedPlainSize(game));
    writeGame(sink, game);
    return std::move(sink.out);
}

std::string settingsFileText(const Game& game) {
    PlainSink sink;
    writeSettings(sink, game);
    return std::move(sink.out);
}

void writeGameBytes(const Game& game, const ByteSink& out) {
    ScrambledSink sink(out);
    writeGame(sink, game);
    sink.flush();
}

std::string gameFileBytes(const Game& game) {
    std::string bytes;
    bytes.reserve(estimatedPlainSize(game) * 2);
    writeGameBytes(game, [&](std::string_view piece) { bytes.append(piece); });
    return bytes;
}

void saveGame(const Game& game, const std::string& path) {
    writeFileAtomically(path, [&](const ByteSink& write) { writeGameBytes(game, write); });
}

}  // namespace scorvale
