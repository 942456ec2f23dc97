#include "report/standings_picture.h"

#include <algorithm>

#include "report/html_text.h"
#include "report/pool_story.h"
#include "text/sjis_codec.h"

namespace scorvale {

namespace {

constexpr int kWidth = 1080;
constexpr int kRows = 10;
constexpr int kHeaderHeight = 210;
constexpr int kRowHeight = 88;
constexpr int kFooterHeight = 80;
constexpr const char* kFont = "IPAPGothic";

// Approximate advance of one UTF-8 character in ems: half for ASCII and
// half-width kana, whole for the rest.
double advance(std::string_view utf8, std::size_t at, std::size_t& length) {
    const auto b = static_cast<unsigned char>(utf8[at]);
    length = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : 4;
    length = std::min(length, utf8.size() - at);
    if (b < 0x80) return 0.55;
    // U+FF61..U+FF9F: EF BD A1..EF BE 9F
    if (length == 3 && b == 0xEF) {
        const auto b1 = static_cast<unsigned char>(utf8[at + 1]);
        const auto b2 = static_cast<unsigned char>(utf8[at + 2]);
        if ((b1 == 0xBD && b2 >= 0xA1) || b1 == 0xBE) return 0.5;
    }
    return 1.0;
}

// The game's text in UTF-8, cut with "…" to fit `ems`, then escaped.
std::string fitted(std::string_view sjis, double ems) {
    const std::string utf8 = sjis::toUtf8(sjis);
    double width = 0;
    std::size_t cut = 0;  // the longest prefix that leaves room for the ellipsis
    for (std::size_t at = 0; at < utf8.size();) {
        std::size_t length = 0;
        width += advance(utf8, at, length);
        if (width <= ems - 1) cut = at + length;
        at += length;
    }
    std::string out;
    if (width <= ems) {
        html::appendEscaped(out, utf8);
    } else {
        html::appendEscaped(out, std::string_view(utf8).substr(0, cut));
        out += "…";
    }
    return out;
}

void text(std::string& out, int x, int y, int size, std::string_view fill, std::string_view anchor,
          std::string_view content, bool bold = false) {
    out += "<text x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" font-size=\"" +
           std::to_string(size) + "\" fill=\"";
    out += fill;
    out += "\" text-anchor=\"";
    out += anchor;
    out += '"';
    if (bold) out += " font-weight=\"bold\"";
    out += '>';
    out += content;
    out += "</text>\n";
}

std::string movementText(const Movement& move, std::string& colour) {
    switch (move.kind) {
        case Movement::Kind::up: colour = "#0f7a38"; return "▲" + std::to_string(move.places);
        case Movement::Kind::down: colour = "#b3261e"; return "▼" + std::to_string(move.places);
        case Movement::Kind::same: colour = "#566072"; return "ー";
        case Movement::Kind::newcomer: colour = "#1c5bb8"; return "新";
        case Movement::Kind::none: break;
    }
    return {};
}

}  // namespace

std::string standingsPictureSvg(const Game& game, const ReportSettings& settings) {
    const PoolStory story = tellStory(game);
    const int rows = std::min<int>(kRows, static_cast<int>(story.members.size()));
    const int height = kHeaderHeight + std::max(rows, 1) * kRowHeight + kFooterHeight;
    const std::string w = std::to_string(kWidth);
    const std::string h = std::to_string(height);

    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                      w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h + "\" font-family=\"" + kFont +
                      "\">\n";
    out += "<rect width=\"" + w + "\" height=\"" + h + "\" fill=\"#ffffff\"/>\n";
    out += "<rect width=\"" + w + "\" height=\"" + std::to_string(kHeaderHeight - 30) + "\" fill=\"#1c5bb8\"/>\n";
    text(out, 40, 78, 52, "#ffffff", "start", fitted(settings.title, 19.5), true);
    std::string sub = fitted(settings.date, 14);
    if (game.settings.over != 0) sub += sub.empty() ? "順位確定" : "　順位確定";
    text(out, 40, 140, 34, "#ffffff", "start", sub);

    for (int row = 0; row < rows; ++row) {
        const int index = story.members[static_cast<std::size_t>(row)];
        const Member& m = game.memberAt(index);
        const int top = kHeaderHeight + row * kRowHeight;
        const int base = top + 58;
        if (row % 2 == 1)
            out += "<rect y=\"" + std::to_string(top) + "\" width=\"" + w + "\" height=\"" +
                   std::to_string(kRowHeight) + "\" fill=\"#f2f4f9\"/>\n";
        const bool champion = game.settings.over != 0 && m.rank == 1;
        text(out, 40, base, 46, "#1c2330", "start", champion ? "優勝" : std::to_string(m.rank) + "位", true);
        std::string colour = "#566072";
        const std::string move = movementText(story.movement[static_cast<std::size_t>(index)], colour);
        if (!move.empty()) text(out, 200, base, 36, colour, "start", move, true);
        // The name takes what the score leaves of the row.
        const std::string score = std::to_string(m.score);
        const double scoreWidth = (0.55 * static_cast<double>(score.size()) + 1) * 46;
        text(out, 320, base, 42, "#1c2330", "start", fitted(m.name.view(), (kWidth - 40 - 30 - 320 - scoreWidth) / 42));
        text(out, kWidth - 40, base, 46, "#1c2330", "end", score + "点", true);
    }
    if (rows == 0) text(out, 40, kHeaderHeight + 58, 40, "#566072", "start", "参加者はまだいません");

    std::string note;
    if (story.baseline >= 0)
        note = "▲▼は " + html::text(shortDate(story.pointDates[static_cast<std::size_t>(story.baseline)])) +
               " からの変動";
    text(out, 40, height - 30, 28, "#566072", "start", note);
    text(out, kWidth - 40, height - 30, 28, "#566072", "end", "Scorvale");
    out += "</svg>\n";
    return out;
}

}  // namespace scorvale
