#include <algorithm>

#include "report/html_text.h"
#include "report/page_parts.h"
#include "report/phone_parts.h"

namespace scorvale::phone {

namespace {

constexpr int kMostPicked = 5;

// How many members picked each team first, and at all (a member who lists
// a team twice counts once).
struct PickCounts {
    std::vector<std::int32_t> first;
    std::vector<std::int32_t> any;
};

PickCounts countPicks(const PageContext& page) {
    const std::size_t teams = page.game.teams().size();
    PickCounts counts{std::vector<std::int32_t>(teams), std::vector<std::int32_t>(teams)};
    std::vector<int> seenBy(teams, -1);
    for (int i = 0; i < page.game.memberCount(); ++i) {
        int p = 0;
        for (const std::string_view vote : page.game.memberAt(i).votes()) {
            const int t = page.teamByName.find(vote);
            if (t >= 0) {
                const auto at = static_cast<std::size_t>(t);
                if (p == 0) ++counts.first[at];
                if (seenBy[at] != i) {
                    seenBy[at] = i;
                    ++counts.any[at];
                }
            }
            ++p;
        }
    }
    return counts;
}

void cell(std::string& out, std::int64_t value) {
    out += "<td>";
    appendNumber(out, value);
    out += "</td>";
}

void appendTeamTable(std::string& out, const PageContext& page, const PickCounts& counts) {
    const Game& game = page.game;
    out += "<div class=\"box\"><table class=\"tl\">\n<thead><tr><th>順位</th><th>チーム</th><th>グループ</th>"
           "<th>勝</th><th>負</th><th>分</th><th>得失</th><th>T勝</th><th>状態</th><th>勝点</th><th>特賞</th>"
           "<th>人気</th><th>1番目に予想</th><th>予想した人</th></tr></thead>\n<tbody>\n";
    const int shown = reportRowLimit(page.settings.teamRange, static_cast<int>(page.story.teams.size()));
    for (int row = 0; row < shown; ++row) {
        const int t = page.story.teams[static_cast<std::size_t>(row)];
        const Team& team = game.teamAt(t);
        const PickState state = pickState(game, t);
        out += state == PickState::out ? "<tr class=\"x\">" : "<tr>";
        cell(out, team.rank);
        out += "<td>";
        if (!team.symbol.empty()) {
            out += "<img src=\"";
            out += html::imageUrl(team.symbol.view());
            out += "\" alt=\"\" height=\"20\" loading=\"lazy\"> ";
        }
        out += "<span class=\"tn\">";
        if (state == PickState::top) out += "★";
        out += page.teamNames[static_cast<std::size_t>(t)];
        out += "</span></td><td>";
        html::appendText(out, team.group.view());
        out += "</td>";
        cell(out, team.wins);
        cell(out, team.losses);
        cell(out, team.draws);
        cell(out, team.goalDiff);
        cell(out, team.tournamentWins);
        out += "<td>";
        std::string_view separator;
        for (const auto& [holds, word] : {std::pair{game.settings.over != 0 && team.rank == 1, "優勝"},
                                          std::pair{team.qualify != 0, "T進出"}, std::pair{team.out != 0, "敗退"}}) {
            if (!holds) continue;
            out += separator;
            out += word;
            separator = " ";
        }
        out += "</td>";
        cell(out, team.points);
        cell(out, team.bonus);
        cell(out, team.popularity);
        cell(out, counts.first[static_cast<std::size_t>(t)]);
        cell(out, counts.any[static_cast<std::size_t>(t)]);
        out += "</tr>\n";
    }
    out += "</tbody></table></div>\n";
}

void appendMostPicked(std::string& out, const PageContext& page, const PickCounts& counts) {
    std::vector<int> order;
    for (const int t : page.story.teams)
        if (counts.any[static_cast<std::size_t>(t)] > 0) order.push_back(t);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const auto x = static_cast<std::size_t>(a);
        const auto y = static_cast<std::size_t>(b);
        return counts.any[x] != counts.any[y] ? counts.any[x] > counts.any[y] : counts.first[x] > counts.first[y];
    });
    if (order.size() > kMostPicked) order.resize(kMostPicked);

    out += "<h3>よく予想されたチーム</h3>\n";
    if (order.empty()) {
        out += "<p class=\"note\">まだ予想がありません。</p>\n";
        return;
    }
    const auto members = static_cast<std::int64_t>(page.game.memberCount());
    out += "<ol class=\"pop\">\n";
    for (const int t : order) {
        const auto at = static_cast<std::size_t>(t);
        out += "<li><span>";
        out += page.teamNames[at];
        out += "</span><span class=\"bar\" style=\"width:";
        appendNumber(out, counts.any[at] * 100 / members);
        out += "%\"></span><span>";
        appendNumber(out, counts.any[at]);
        out += "人（1番目 ";
        appendNumber(out, counts.first[at]);
        out += "人）</span></li>\n";
    }
    out += "</ol>\n";
}

}  // namespace

void appendTeams(std::string& out, const PageContext& page) {
    const PickCounts counts = countPicks(page);
    appendHeading(out, page, "teams", "チーム");
    appendTeamTable(out, page, counts);
    appendMostPicked(out, page, counts);
}

}  // namespace scorvale::phone
