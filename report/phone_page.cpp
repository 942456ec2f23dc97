#include "report/phone_page.h"

#include <charconv>

#include "gamefile/safe_file.h"
#include "report/html_report.h"
#include "report/html_text.h"
#include "report/phone_parts.h"
#include "report/phone_style.h"

namespace scorvale {

namespace phone {

PageContext::PageContext(const Game& g, const ReportSettings& s)
    : game(g), settings(s), story(tellStory(g)), teamByName(g.teams()) {
    teamNames.reserve(g.teams().size());
    for (const Team& t : g.teams()) teamNames.push_back(html::text(t.name.view()));
    const auto imageTag = [](const std::string& name) {
        return name.empty() ? std::string() : "<img src=\"" + html::imageUrl(name) + "\" alt=\"\">";
    };
    leftImage = imageTag(s.leftImage);
    rightImage = imageTag(s.rightImage);
}

PickState pickState(const Game& game, int team) {
    if (team < 0) return PickState::missing;
    const Team& t = game.teamAt(team);
    if (t.out != 0) return PickState::out;
    return t.rank == 1 ? PickState::top : PickState::in;
}

void appendNumber(std::string& out, std::int64_t value) {
    char buffer[24];
    out.append(buffer, static_cast<std::size_t>(std::to_chars(buffer, buffer + sizeof buffer, value).ptr - buffer));
}

void appendHeading(std::string& out, const PageContext& page, std::string_view id, std::string_view text) {
    out += "<h2 id=\"";
    out += id;
    out += "\">";
    if (!page.leftImage.empty()) {
        out += page.leftImage;
        out += ' ';
    }
    out += text;
    if (!page.rightImage.empty()) {
        out += ' ';
        out += page.rightImage;
    }
    out += "</h2>\n";
}

namespace {

void appendHeader(std::string& out, const PageContext& page) {
    const ReportSettings& s = page.settings;
    out += "<header>\n";
    if (!s.topImage.empty()) {
        out += "<img class=\"top\" src=\"";
        out += html::imageUrl(s.topImage);
        out += "\" alt=\"\">\n";
    }
    out += "<h1>";
    html::appendText(out, s.title);
    out += "</h1>\n";
    if (page.game.settings.over != 0) out += "<p class=\"fixed\">順位確定</p>\n";
    if (!s.date.empty() || !s.editor.empty()) {
        out += "<p class=\"meta\">";
        for (const std::string* text : {&s.date, &s.editor}) {
            if (text->empty()) continue;
            out += "<span>";
            html::appendText(out, *text);
            out += "</span>";
        }
        out += "</p>\n";
    }
    if (!s.head.empty()) {
        out += "<div class=\"greet\">";
        out += html::greeting(s.head);
        out += "</div>\n";
    }
    out += "<nav><a href=\"#standings\">順位表</a><a href=\"#trend\">順位の推移</a><a href=\"#teams\">チーム</a>"
           "<a href=\"#rules\">点数の計算</a></nav>\n</header>\n";
}

void appendFind(std::string& out) {
    out += "<form id=\"find\" class=\"find\" role=\"search\" hidden><label for=\"q\">自分を探す</label>"
           "<input id=\"q\" type=\"search\" autocomplete=\"off\" placeholder=\"名前\">"
           "<button>探す</button><output id=\"found\" aria-live=\"polite\"></output></form>\n";
}

void appendPoints(std::string& out, std::int32_t value) {
    appendNumber(out, value);
    out += "点";
}

// How points are counted, with this game's numbers and one worked example.
void appendRules(std::string& out, const PageContext& page) {
    const GameSettings& s = page.game.settings;
    appendHeading(out, page, "rules", "点数の計算");
    out += "<div class=\"rules\">\n<p>予想したチームが勝ち進むほど、あなたの得点が増えます。</p>\n<ol>\n";
    out += "<li>チームの<b>勝点</b>：勝ち ";
    appendPoints(out, s.winPoints);
    out += "、引き分け ";
    appendPoints(out, s.drawPoints);
    out += "、負け ";
    appendPoints(out, s.losePoints);
    out += "、決勝トーナメントでの勝ち ";
    appendPoints(out, s.tournamentWinPoints);
    out += "。</li>\n";

    out += "<li>チームの<b>特賞</b>：";
    bool any = false;
    if (s.qualifyBonus != 0) {
        out += "決勝トーナメントに進むと ";
        appendPoints(out, s.qualifyBonus);
        out += "。";
        any = true;
    }
    if (s.bonus1 != 0 || s.bonus2 != 0 || s.bonus3 != 0) {
        out += s.over != 0 ? "最終順位で" : "順位が確定すると";
        const std::int32_t places[] = {s.bonus1, s.bonus2, s.bonus3};
        bool first = true;
        for (int p = 0; p < 3; ++p) {
            if (places[p] == 0) continue;
            out += first ? " " : "、";
            appendNumber(out, p + 1);
            out += "位 ";
            appendPoints(out, places[p]);
            first = false;
        }
        out += "。";
        any = true;
    }
    if (!any) out += "ありません。";
    out += "</li>\n";

    out += "<li>予想の<b>配点</b>：";
    if (s.maxBet <= 0) {
        out += "この大会では予想は得点になりません。";
    } else {
        out += "1番目に予想したチームは ";
        appendPoints(out, s.maxBet);
        if (s.maxBet >= 2) {
            out += "、2番目は ";
            appendPoints(out, s.maxBet - 1);
        }
        if (s.maxBet >= 3) {
            out += s.maxBet > 3 ? " … " : "、";
            appendNumber(out, s.maxBet);
            out += "番目は 1点";
        }
        out += "。";
        if (s.maxBet < Member::kMaxVotes) {
            appendNumber(out, static_cast<std::int64_t>(s.maxBet) + 1);
            out += "番目からの予想は数えません。";
        }
    }
    out += "</li>\n";

    const int exponent = rateExponent(s.rate);
    out += "<li>あなたの<b>得点</b>：予想したチームごとに（勝点＋特賞）×配点";
    if (exponent == 2) out += " を2乗した数";
    if (exponent == 3) out += " を3乗した数";
    out += "を足したものです。";
    if (exponent > 1) out += "上の順位に置いた予想ほど大きく効きます。";
    out += "</li>\n</ol>\n";

    if (s.maxBet > 0 && !page.story.teams.empty()) {
        const int t = page.story.teams.front();
        const Team& team = page.game.teamAt(t);
        out += "<p>例：いま";
        appendNumber(out, team.rank);
        out += "位の";
        out += page.teamNames[static_cast<std::size_t>(t)];
        out += "（勝点 ";
        appendNumber(out, team.points);
        out += "、特賞 ";
        appendNumber(out, team.bonus);
        out += "）を1番目に予想していれば、";
        out += exponent > 1 ? "｛（" : "（";
        appendNumber(out, team.points);
        out += "＋";
        appendNumber(out, team.bonus);
        out += "）×";
        appendNumber(out, s.maxBet);
        if (exponent > 1) {
            out += "｝の";
            appendNumber(out, exponent);
            out += "乗";
        }
        out += " ＝ ";
        appendPoints(out, page.game.voteValue(team, 0));
        out += "。</p>\n";
    }
    out += "</div>\n";
}

}  // namespace

}  // namespace phone

std::string phonePageBytes(const Game& game, const ReportSettings& settings) {
    const phone::PageContext page(game, settings);
    std::string out;
    out.reserve(8192 + static_cast<std::size_t>(game.memberCount()) *
                           (1000 + 20 * page.story.pointDates.size()));
    out += "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
    html::appendText(out, settings.title);
    out += "</title>\n<style>";
    out += phone::kStyle;
    out += "</style>\n</head>\n<body";
    if (!settings.backgroundImage.empty()) {
        out += " style=\"background-image:url(";
        out += html::imageUrl(settings.backgroundImage);
        out += ")\"";
    }
    out += ">\n";
    phone::appendHeader(out, page);
    out += "<main>\n";
    phone::appendFind(out);
    phone::appendStandings(out, page);
    phone::appendRankChart(out, page);
    phone::appendTeams(out, page);
    phone::appendRules(out, page);
    if (!settings.foot.empty()) {
        out += "<div class=\"greet\">";
        out += html::greeting(settings.foot);
        out += "</div>\n";
    }
    out += "</main>\n<footer>Scorvale</footer>\n<script>";
    out += phone::kScript;
    out += "</script>\n</body>\n</html>\n";
    return out;
}

std::string pageBytes(const Game& game, const ReportSettings& settings) {
    return game.page.kind == PageChoice::Kind::phone ? phonePageBytes(game, settings)
                                                     : htmlReportBytes(game, settings);
}

void writePage(const Game& game, const std::string& path, const ReportSettings& settings) {
    writeFileAtomically(path, pageBytes(game, settings));
}

}  // namespace scorvale
