#include <algorithm>
#include <charconv>
#include <cstdint>
#include <vector>

#include "gamefile/game_file.h"
#include "gamefile/hex_code.h"
#include "gamefile/safe_file.h"

namespace scorvale {

namespace {

// Plain lines, each ending in "\n".
struct PlainSink {
    std::string out;
    void put(std::string_view text) { out.append(text); }
    void end() { out += '\n'; }
};

// Scrambled lines with CR LF ends, encoded into a fixed buffer that is handed
// on each time it fills: a save touches the same small memory however big
// the pool is.
class ScrambledSink {
public:
    explicit ScrambledSink(const ByteSink& out) : out_(out), buffer_(kChunk) {}

    void put(std::string_view text) {
        while (!text.empty()) {
            if (kChunk - used_ < 2) flush();
            // Every byte becomes two characters, a line feed too (CR LF).
            const std::size_t n = std::min(text.size(), (kChunk - used_) / 2);
            char* dst = buffer_.data() + used_;
            for (const char ch : text.substr(0, n)) {
                if (ch == '\n') {
                    // A line feed inside a value stays a line feed: a line end on disk.
                    *dst++ = '\r';
                    *dst++ = '\n';
                    continue;
                }
                const char* pair = &detail::kHex.encode[2u * static_cast<unsigned char>(ch)];
                *dst++ = pair[0];
                *dst++ = pair[1];
            }
            used_ += 2 * n;
            text.remove_prefix(n);
        }
    }
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

    const ByteSink& out_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
};

template <typename Sink>
void textLine(Sink& sink, std::string_view tag, std::string_view value) {
    sink.put(tag);
    sink.put(value);
    sink.end();
}

template <typename Sink>
void intLine(Sink& sink, std::string_view tag, std::int32_t value) {
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    sink.put(tag);
    sink.put(std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
    sink.end();
}

// Head and foot keep to one line: each CR LF of the text is written "<CR>".
template <typename Sink>
void multiLine(Sink& sink, std::string_view tag, std::string_view value) {
    sink.put(tag);
    std::size_t from = 0;
    for (;;) {
        const std::size_t crlf = value.find("\r\n", from);
        if (crlf == std::string_view::npos) break;
        sink.put(value.substr(from, crlf - from));
        sink.put("<CR>");
        from = crlf + 2;
    }
    sink.put(value.substr(from));
    sink.end();
}

template <typename Sink>
void writeGame(Sink& sink, const Game& game) {
    const GameSettings& s = game.settings;
    const ReportSettings& r = game.report;
    textLine(sink, "[G_NAME]", s.name);
    intLine(sink, "[G_WINNER]", s.winPoints);
    intLine(sink, "[G_LOSER]", s.losePoints);
    intLine(sink, "[G_DRAW]", s.drawPoints);
    intLine(sink, "[G_TWINNER]", s.tournamentWinPoints);
    intLine(sink, "[G_MAXBET]", s.maxBet);
    intLine(sink, "[G_RATE]", s.rate);
    intLine(sink, "[G_1BONUS]", s.bonus1);
    intLine(sink, "[G_2BONUS]", s.bonus2);
    intLine(sink, "[G_3BONUS]", s.bonus3);
    intLine(sink, "[G_QBONUS]", s.qualifyBonus);
    intLine(sink, "[G_OVER]", s.over);
    textLine(sink, "[G_DATE]", s.date);
    intLine(sink, "[G_PASS]", s.password);
    textLine(sink, "[R_EDITOR]", r.editor);
    multiLine(sink, "[R_HEAD]", r.head);
    multiLine(sink, "[R_FOOT]", r.foot);
    textLine(sink, "[R_BIMG]", r.backgroundImage);
    textLine(sink, "[R_TIMG]", r.topImage);
    textLine(sink, "[R_LIMG]", r.leftImage);
    textLine(sink, "[R_RIMG]", r.rightImage);
    textLine(sink, "[G_END]", "");
    for (const Team& t : game.teams()) {
        textLine(sink, "[T_NAME]", t.name.view());
        intLine(sink, "[T_TWIN]", t.tournamentWins);
        intLine(sink, "[T_WIN]", t.wins);
        intLine(sink, "[T_LOSE]", t.losses);
        intLine(sink, "[T_DRAW]", t.draws);
        intLine(sink, "[T_PROFIT]", t.goalDiff);
        textLine(sink, "[T_DATE]", t.date.view());
        textLine(sink, "[T_SYMBOL]", t.symbol.view());
        textLine(sink, "[T_GROUP]", t.group.view());
        intLine(sink, "[T_OUT]", t.out);
        intLine(sink, "[T_QUALIFY]", t.qualify);
        textLine(sink, "[T_END]", "");
    }
    for (const Member& m : game.members()) {
        textLine(sink, "[M_NAME]", m.name.view());
        textLine(sink, "[M_DATE]", m.date.view());
        textLine(sink, "[M_SYMBOL]", m.symbol.view());
        for (const std::string_view vote : m.votes()) textLine(sink, "[M_TEAM]", vote);
        textLine(sink, "[M_END]", "");
    }
    textLine(sink, "[ALL_END]", "");
}

std::size_t estimatedPlainSize(const Game& game) {
    std::size_t size = 512 + game.settings.name.size() + game.report.head.size() * 2 + game.report.foot.size() * 2 +
                       game.report.editor.size();
    size += game.teams().size() * 180;
    for (const Member& m : game.members()) size += 48 + m.name.size() + m.date.size() + m.symbol.size() + m.votes().byteSize() * 2 + m.votes().size() * 12;
    return size;
}

}  // namespace

std::string gameFileText(const Game& game) {
    PlainSink sink;
    sink.out.reserve(estimatedPlainSize(game));
    writeGame(sink, game);
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
