#include <algorithm>
#include <charconv>
#include <cmath>

#include "report/html_text.h"
#include "report/phone_parts.h"

namespace scorvale::phone {

namespace {

// The chart's frame in its own units; at 15 units a text shows at 14px or
// more on a 360px screen, where the chart is about 312px wide.
constexpr double kWidth = 320;
constexpr double kHeight = 214;
constexpr double kLeft = 50;
constexpr double kRight = 12;
constexpr double kTop = 14;
constexpr double kPlotHeight = 166;
constexpr double kLabelGap = 46;  // between two date labels
constexpr int kLines = 5;

void appendFixed(std::string& out, double value) {
    char buffer[32];
    out.append(buffer, static_cast<std::size_t>(
                           std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 1).ptr - buffer));
}

// Ranks on a log scale: the top places, which everyone looks at, stay apart
// however many members the pool has. The script draws the found member with
// the same formula from the svg's data attributes.
struct Scale {
    std::size_t points;
    double logMax;

    double x(std::size_t point) const {
        return kLeft + (kWidth - kLeft - kRight) * static_cast<double>(point) / static_cast<double>(points - 1);
    }
    double y(std::int32_t rank) const { return kTop + kPlotHeight * std::log(std::max(rank, 1)) / logMax; }
};

void appendText(std::string& out, double x, double y, std::string_view anchor, std::string_view text) {
    out += "<text x=\"";
    appendFixed(out, x);
    out += "\" y=\"";
    appendFixed(out, y);
    out += "\" font-size=\"15\" text-anchor=\"";
    out += anchor;
    out += "\">";
    out += text;
    out += "</text>";
}

void appendRankAxis(std::string& out, const Scale& scale, std::int32_t maxRank) {
    // 1, 2, 3, 5, 10, 20, 30, 50, ... and the last rank, as far as they stand apart.
    std::vector<std::int64_t> ranks;
    for (std::int64_t base = 1; base <= maxRank; base *= 10)
        for (const std::int64_t step : {1, 2, 3, 5})
            if (base * step < maxRank) ranks.push_back(base * step);
    ranks.push_back(maxRank);
    double lastY = -100;
    for (std::size_t i = 0; i < ranks.size(); ++i) {
        const std::int64_t rank = ranks[i];
        const double y = scale.y(static_cast<std::int32_t>(rank));
        if (y - lastY < 18) continue;
        if (i + 1 < ranks.size() && scale.y(static_cast<std::int32_t>(ranks.back())) - y < 18) continue;
        lastY = y;
        out += "<line class=\"grid\" x1=\"";
        appendFixed(out, kLeft);
        out += "\" x2=\"";
        appendFixed(out, kWidth - kRight);
        out += "\" y1=\"";
        appendFixed(out, y);
        out += "\" y2=\"";
        appendFixed(out, y);
        out += "\"/>";
        std::string label;
        appendNumber(label, rank);
        label += "位";
        appendText(out, kLeft - 6, y + 5, "end", label);
    }
    out += '\n';
}

void appendDateAxis(std::string& out, const Scale& scale, const std::vector<std::string>& dates) {
    const double y = kTop + kPlotHeight + 26;
    const std::size_t last = dates.size() - 1;
    const auto label = [&](std::size_t d) {
        return dates[d].empty() ? std::string("今回") : html::text(shortDate(dates[d]));
    };
    double lastX = -100;
    for (std::size_t d = 0; d < last; ++d) {
        const double x = scale.x(d);
        if (x - lastX < kLabelGap || scale.x(last) - x < kLabelGap) continue;
        lastX = x;
        appendText(out, x, y, d == 0 ? "start" : "middle", label(d));
    }
    appendText(out, scale.x(last), y, "end", label(last));
    out += '\n';
}

}  // namespace

void appendRankChart(std::string& out, const PageContext& page) {
    const PoolStory& story = page.story;
    appendHeading(out, page, "trend", "順位の推移");
    const std::size_t points = story.pointDates.size();
    if (points < 2 || story.members.empty()) {
        out += "<p class=\"note\">結果が2日以上記録されると、ここに上位の人の順位の推移が表示されます。</p>\n";
        return;
    }
    std::int32_t maxRank = 2;
    for (const auto& ranks : story.ranks)
        for (const std::int32_t r : ranks) maxRank = std::max(maxRank, r);
    const Scale scale{points, std::log(static_cast<double>(maxRank))};

    out += "<svg id=\"rc\" viewBox=\"0 0 ";
    appendNumber(out, static_cast<std::int64_t>(kWidth));
    out += ' ';
    appendNumber(out, static_cast<std::int64_t>(kHeight));
    out += "\" role=\"img\" aria-label=\"上位の人の順位の推移\" data-x=\"";
    for (std::size_t d = 0; d < points; ++d) {
        if (d > 0) out += ' ';
        appendFixed(out, scale.x(d));
    }
    out += "\" data-t=\"";
    appendFixed(out, kTop);
    out += "\" data-h=\"";
    appendFixed(out, kPlotHeight);
    out += "\" data-m=\"";
    appendNumber(out, maxRank);
    out += "\">\n";
    appendRankAxis(out, scale, maxRank);
    appendDateAxis(out, scale, story.pointDates);

    const int lines = std::min<int>(kLines, static_cast<int>(story.members.size()));
    for (int l = lines - 1; l >= 0; --l) {  // the leader drawn last, on top
        const std::size_t m = static_cast<std::size_t>(story.members[static_cast<std::size_t>(l)]);
        out += "<polyline class=\"ln c";
        appendNumber(out, l + 1);
        out += "\" points=\"";
        for (std::size_t d = static_cast<std::size_t>(story.firstPoint[m]); d < points; ++d) {
            if (d > static_cast<std::size_t>(story.firstPoint[m])) out += ' ';
            appendFixed(out, scale.x(d));
            out += ',';
            appendFixed(out, scale.y(story.ranks[d][m]));
        }
        out += "\"/><circle class=\"pt c";
        appendNumber(out, l + 1);
        out += "\" r=\"3.5\" cx=\"";
        appendFixed(out, scale.x(points - 1));
        out += "\" cy=\"";
        appendFixed(out, scale.y(story.ranks.back()[m]));
        out += "\"/>\n";
    }
    out += "</svg>\n<ol id=\"lg\" class=\"lg\">";
    for (int l = 0; l < lines; ++l) {
        const Member& m = page.game.memberAt(story.members[static_cast<std::size_t>(l)]);
        out += "<li><span class=\"sw c";
        appendNumber(out, l + 1);
        out += "\"></span>";
        html::appendText(out, m.name.view());
        out += "（";
        appendNumber(out, m.rank);
        out += "位）</li>";
    }
    out += "</ol>\n";
}

}  // namespace scorvale::phone
