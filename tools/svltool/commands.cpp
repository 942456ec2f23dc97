#include "tools/svltool/commands.h"

#include <cstdio>
#include <nlohmann/json.hpp>

#include "gamefile/file_error.h"
#include "gamefile/game_file.h"
#include "gamefile/safe_file.h"
#include "report/html_report.h"
#include "scoring/ordering.h"
#include "scoring/standings.h"
#include "text/sjis_codec.h"

namespace scorvale::tool {

namespace {

constexpr std::string_view kNameTag = "[G_NAME]";

std::string utf8(std::string_view sjis) { return sjis::toUtf8(sjis); }

std::string number(std::int32_t value) { return std::to_string(value); }

std::string toShiftJis(const char* option, const std::string& text) {
    auto converted = sjis::fromUtf8(text);
    if (!converted) throw UsageError(std::string(option) + ": a character cannot be written in Shift-JIS");
    return *converted;
}

}  // namespace

std::string plainFileText(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() / 2 + 64);
    bool plain = false;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!plain && line.find(kNameTag) != std::string_view::npos) plain = true;
        if (plain) {
            out += line;
        } else {
            // Decoding may yield line feeds of its own; they do not end a line here.
            std::string decoded = unscrambleLine(line);
            std::erase(decoded, '\n');
            out += decoded;
        }
        out += "\r\n";
        pos = next;
    }
    return out;
}

std::string readGameFile(const std::string& path) {
    std::string bytes = readWholeFile(path);
    if (plainFileText(bytes).find(kNameTag) == std::string::npos)
        throw BadFileError("not a Scorvale game file");
    return bytes;
}

Game loadNew(const std::string& path, bool scoreAndRank) {
    const std::string bytes = readGameFile(path);
    Game game;  // the start-up values
    game.settings.name.clear();
    game.clearMembers();
    game.clearTeams();
    loadGameBytes(game, bytes, ReadAll);
    if (scoreAndRank) {
        computeStandings(game);
        sortTeams(game, 1);
        sortMembers(game, 1);
    }
    return game;
}

void writeOutput(const std::string& out, const std::function<void(const ByteSink&)>& produce) {
    if (!out.empty()) {
        writeFileAtomically(out, produce);
        return;
    }
    produce([](std::string_view piece) {
        if (std::fwrite(piece.data(), 1, piece.size(), stdout) != piece.size())
            throw FileError("standard output", "write failed");
    });
    if (std::fflush(stdout) != 0) throw FileError("standard output", "write failed");
}

void writeOutput(const std::string& out, std::string_view bytes) {
    writeOutput(out, [bytes](const ByteSink& write) { write(bytes); });
}

std::string standingsTsv(const Game& game) {
    std::string out =
        "チーム\tグループ\t順位\t状態\t人気\t消化\tT勝\t勝\t負\t分\t勝点\t得失\t特賞\t最終更新\n";
    for (const Team& t : game.teams()) {
        const std::string status = std::string(t.qualify != 0 ? "T" : "") + (t.out != 0 ? "D" : "");
        const std::string cells[] = {utf8(t.name.view()), utf8(t.group.view()), number(t.rank), status,
                                     number(t.popularity), number(t.played), number(t.tournamentWins),
                                     number(t.wins), number(t.losses), number(t.draws), number(t.points),
                                     number(t.goalDiff), number(t.bonus), utf8(t.date.view())};
        for (std::size_t i = 0; i < std::size(cells); ++i) out += (i ? "\t" : "") + cells[i];
        out += '\n';
    }
    out += "\n参加者\t順位\t得点\t筆頭候補\t最終更新\n";
    for (const Member& m : game.members()) {
        out += utf8(m.name.view()) + '\t' + number(m.rank) + '\t' + number(m.score) + '\t' +
               utf8(m.vote(0)) + '\t' + utf8(m.date.view()) + '\n';
    }
    return out;
}

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

void writeReport(Game& game, const ReportOptions& options, const std::string& out) {
    // The dialog's values as the command fills them; the options start at the
    // dialog's ranges and details and override the texts they are given.
    ReportSettings values = game.report;
    values.title = options.title ? toShiftJis("--title", *options.title) : game.settings.name;
    values.date = options.date ? toShiftJis("--date", *options.date) : game.settings.date;
    if (options.editor) values.editor = toShiftJis("--editor", *options.editor);
    values.memberRange = options.memberRange;
    values.teamRange = options.teamRange;
    values.memberDetails = options.details ? 1 : 0;
    values.teamDetails = 0;

    computeStandings(game);
    if (game.settings.name.empty()) throw BadFileError("the game has no title; no report is written");

    // Stored as the command stores them; the game's own date stays.
    game.settings.name = values.title;
    game.report = values;
    writeHtmlReport(game, out, game.report);
}

}  // namespace scorvale::tool
