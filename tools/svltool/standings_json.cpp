#include "tools/svltool/standings_json.h"

#include <nlohmann/json.hpp>

#include "text/sjis_codec.h"

namespace scorvale::tool {

namespace {

std::string utf8(std::string_view sjis) { return sjis::toUtf8(sjis); }

}  // namespace

std::string standingsJson(const Game& game) {
    using Json = nlohmann::ordered_json;
    const GameSettings& s = game.settings;
    const ReportSettings& r = game.report;
    Json settings = {{"name", utf8(s.name)},
                     {"date", utf8(s.date)},
                     {"password", s.password},
                     {"maxBet", s.maxBet},
                     {"rate", s.rate},
                     {"over", s.over},
                     {"winPoints", s.winPoints},
                     {"drawPoints", s.drawPoints},
                     {"losePoints", s.losePoints},
                     {"tournamentWinPoints", s.tournamentWinPoints},
                     {"bonus1", s.bonus1},
                     {"bonus2", s.bonus2},
                     {"bonus3", s.bonus3},
                     {"qualifyBonus", s.qualifyBonus}};
    Json report = {{"editor", utf8(r.editor)},
                   {"head", utf8(r.head)},
                   {"foot", utf8(r.foot)},
                   {"backgroundImage", utf8(r.backgroundImage)},
                   {"topImage", utf8(r.topImage)},
                   {"leftImage", utf8(r.leftImage)},
                   {"rightImage", utf8(r.rightImage)}};
    Json teams = Json::array();
    for (const Team& t : game.teams()) {
        teams.push_back({{"name", utf8(t.name.view())},
                         {"group", utf8(t.group.view())},
                         {"date", utf8(t.date.view())},
                         {"symbol", utf8(t.symbol.view())},
                         {"out", t.out},
                         {"qualify", t.qualify},
                         {"wins", t.wins},
                         {"draws", t.draws},
                         {"losses", t.losses},
                         {"tournamentWins", t.tournamentWins},
                         {"goalDiff", t.goalDiff},
                         {"points", t.points},
                         {"played", t.played},
                         {"bonus", t.bonus},
                         {"rank", t.rank},
                         {"popularity", t.popularity}});
    }
    Json members = Json::array();
    for (const Member& m : game.members()) {
        Json votes = Json::array();
        for (const std::string_view v : m.votes()) votes.push_back(utf8(v));
        members.push_back({{"name", utf8(m.name.view())},
                           {"symbol", utf8(m.symbol.view())},
                           {"date", utf8(m.date.view())},
                           {"votes", std::move(votes)},
                           {"score", m.score},
                           {"rank", m.rank}});
    }
    Json all = {{"settings", std::move(settings)},
                {"report", std::move(report)},
                {"teams", std::move(teams)},
                {"members", std::move(members)}};
    return all.dump(2) + "\n";
}

}  // namespace scorvale::tool
