#include "report/sections.h"

#include "report/page_parts.h"
#include "report/report_texts.h"

namespace scorvale {

void writeTeamSection(std::string& page, const Game& game, const ReportSettings& settings) {
    namespace rt = report_texts;
    auto cell = [&page](std::string_view text) {
        page += "<td>";
        appendText(page, text);
        page += "</td>";
    };
    auto number = [&page](std::int32_t value) {
        page += "<td>";
        appendInt3(page, value);
        page += "</td>";
    };

    page += rt::kTeamTableHead;
    const int limit = reportRowLimit(settings.teamRange, game.teamCount());
    for (int t = 0; t < limit; ++t) {
        const Team& team = game.teamAt(t);
        page += t % 2 == 1 ? "<tr bgcolor=\"#c0ffc0\">" : "<tr bgcolor=\"#80ff80\">";
        number(team.rank);
        page += "<td>";
        appendTeamPicture(page, team);
        page += "</td>";
        cell(team.name.view());
        cell(team.group.view());
        page += "<td>";
        if (team.qualify != 0) page += rt::kQualified;
        page += ' ';
        if (team.out != 0) page += rt::kOut;
        page += "</td>";
        number(team.popularity);
        number(team.played);
        number(team.tournamentWins);
        number(team.wins);
        number(team.losses);
        number(team.draws);
        number(team.points);
        number(team.bonus);
        cell(team.date.view());
        page += "</tr>\r\n";
    }
    page += "</table></tbody>\r\n";
}

}  // namespace scorvale
