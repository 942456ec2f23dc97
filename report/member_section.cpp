#include "report/sections.h"

#include "report/page_parts.h"
#include "report/report_texts.h"
#include "report/same_votes.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "model/wrap_int.h"

namespace scorvale {

namespace rt = report_texts;

namespace {

constexpr std::string_view kRowDark = "<tr bgcolor=\"#a0a0ff\">";
constexpr std::string_view kRowLight = "<tr bgcolor=\"#c0c0ff\">";
constexpr std::string_view kTableEnd = "</table></tbody>\r\n";

std::string_view rowOpen(int index) { return index % 2 == 1 ? kRowLight : kRowDark; }

bool champion(const Game& game, const Member& m) { return game.settings.over != 0 && m.rank == 1; }

void cell(std::string& page, std::string_view text) {
    page += "<td>";
    appendText(page, text);
    page += "</td>";
}

void numberCell(std::string& page, std::int32_t value) {
    page += "<td>";
    appendInt(page, value);
    page += "</td>";
}

void writeRankingTable(std::string& page, const Game& game, const ReportSettings& settings, int limit) {
    page += rt::kMemberTableHead;
    for (int i = 0; i < limit; ++i) {
        const Member& m = game.memberAt(i);
        page += rowOpen(i);
        if (champion(game, m)) {
            page += rt::kChampionCell;
        } else {
            page += "<td>";
            appendInt3(page, m.rank);
            page += "</td>";
        }
        if (settings.memberDetails != 0) {
            page += "<td><a href=\"#member";
            appendInt03(page, i);
            page += "\">";
            appendText(page, m.name.view());
            page += "</a></td>";
        } else {
            cell(page, m.name.view());
        }
        page += "<td>";
        appendInt3(page, m.score);
        page += "</td>";
        cell(page, m.vote(0));
        cell(page, m.date.view());
        page += "</tr>\r\n";
    }
    page += kTableEnd;
}

// First team of each name, as findTeamByName finds it, looked up once per page.
class TeamIndex {
public:
    explicit TeamIndex(const Game& game) {
        index_.reserve(static_cast<std::size_t>(game.teamCount()));
        for (int t = 0; t < game.teamCount(); ++t) index_.emplace(game.teamAt(t).name.view(), t);
    }
    int find(std::string_view name) const {
        const auto it = index_.find(name);
        return it == index_.end() ? -1 : it->second;
    }

private:
    std::unordered_map<std::string_view, int> index_;
};

void writeVoteRow(std::string& page, const Game& game, const Team& team, int position, std::int32_t value) {
    page += "<td>";
    appendTeamPicture(page, team);
    page += "</td>";
    cell(page, team.name.view());
    numberCell(page, votePoints(game.settings, position));
    numberCell(page, value);
    numberCell(page, team.rank);
    page += "<td>";
    // Here each word carries its own trailing blank.
    if (team.qualify != 0) {
        page += rt::kQualified;
        page += ' ';
    }
    if (team.out != 0) {
        page += rt::kOut;
        page += ' ';
    }
    page += "</td>";
    numberCell(page, team.tournamentWins);
    numberCell(page, team.wins);
    numberCell(page, team.losses);
    numberCell(page, team.draws);
    numberCell(page, team.points);
    numberCell(page, team.bonus);
}

void writeDetailTable(std::string& page, const Game& game, const TeamIndex& teams, const SameVoters& same, int i) {
    const Member& m = game.memberAt(i);
    page += "<a name=\"member";
    appendInt03(page, i);
    page += "\">\r\n<table border=\"0\" width=\"80%\"><tbody align=\"center\">\r\n";
    page += "<tr bgcolor=\"#8080ff\">";
    if (champion(game, m)) {
        page += rt::kChampionHeading;
    } else {
        page += "<td><h2>";
        appendInt(page, m.rank);
        page += rt::kPlaceHeadingEnd;
    }
    page += "<small>";
    appendText(page, m.date.view());
    page += "</small></td>\r\n<td valign=center><h2>";
    if (!m.symbol.empty()) {
        page += "<img src=\"";
        appendText(page, m.symbol.view());
        page += "\"><BR>";
    }
    appendText(page, m.name.view());
    page += "</h2></td>\r\n";
    page += rt::kDetailHeadEnd;

    const int rows = std::min(m.voteCount(), game.settings.maxBet);
    std::int32_t total = 0;
    auto vote = m.votes().begin();
    for (int j = 0; j < rows; ++j, ++vote) {
        page += rowOpen(j);
        const int t = teams.find(*vote);
        if (t < 0) {
            page += "<td>-</td>";
            cell(page, *vote);
            page += rt::kMissingTeamCell;
        } else {
            const Team& team = game.teamAt(t);
            const std::int32_t value = game.voteValue(team, j);
            total = wrapAdd(total, value);
            writeVoteRow(page, game, team, j, value);
        }
        page += "</tr>\r\n";
    }
    page += rt::kTotalRowOpen;
    appendInt3(page, total);
    page += "</td><td>-</td><td>-</td><td>-</td><td>-</td><td>-</td><td>-</td><td>-</td><td>-</td></tr>\r\n";
    page += kTableEnd;

    const std::vector<int>& group = same.groupOf(i);
    if (group.size() > 1) {
        page += "<table border=\"0\" width=\"80%\"><tr bgcolor=\"#ff8080\">";
        page += rt::kSameVoters;
        for (int l : group) {
            if (l == i) continue;
            page += ' ';
            appendText(page, game.memberAt(l).name.view());
        }
        page += "</table><br><br>";
    }
    page += "<br>\r\n";
}

}  // namespace

void writeMemberSection(std::string& page, const Game& game, const ReportSettings& settings) {
    const int limit = reportRowLimit(settings.memberRange, game.memberCount());
    writeRankingTable(page, game, settings, limit);
    if (settings.memberDetails == 0) return;

    page += "<br><br><hr><br><br>\r\n";
    const TeamIndex teams(game);
    const SameVoters same(game, limit);
    for (int i = 0; i < limit; ++i) writeDetailTable(page, game, teams, same, i);
}

}  // namespace scorvale
