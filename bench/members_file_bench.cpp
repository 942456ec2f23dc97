#include "bench/members_file_bench.h"

#include <random>

#include "imports/national_teams.h"
#include "text/sjis_codec.h"

namespace scorvale::bench {

namespace {
constexpr int kTeams = 48;
constexpr int kPicks = 10;
}  // namespace

Game game48() {
    Game game;
    game.settings.name = "48";
    const auto& rows = imports::nationalTeams();
    for (int k = 0; k < kTeams; ++k) {
        Team team;
        team.name = *sjis::fromUtf8(rows[static_cast<std::size_t>(k) * 4].japaneseName);
        game.addTeam(team);
    }
    return game;
}

std::string formCsv(int rows) {
    const auto& table = imports::nationalTeams();
    std::mt19937 rng(2026);
    std::string csv = "\xEF\xBB\xBFタイムスタンプ,お名前,1,2,3,4,5,6,7,8,9,10\r\n";
    for (int r = 0; r < rows; ++r) {
        csv += "2026/06/01 12:34:56,参加者" + std::to_string(r);
        for (int p = 0; p < kPicks; ++p) {
            const auto& row = table[static_cast<std::size_t>(rng() % kTeams) * 4];
            csv += ',';
            switch (rng() % 3) {
                case 0: csv += row.japaneseName; break;
                case 1: csv += row.code; break;
                default: csv += row.englishNames.front(); break;
            }
        }
        csv += "\r\n";
    }
    return csv;
}

std::string wideCsv() {
    const auto& table = imports::nationalTeams();
    std::mt19937 rng(2026);
    std::string csv = "タイムスタンプ,お名前,1,2,3,4,5" + std::string(1000000, ',') + "\r\n";
    for (int r = 0; csv.size() < 1270000; ++r) {
        csv += "2026/06/01 12:34:56,参加者" + std::to_string(r);
        for (int p = 0; p < 5; ++p) csv += "," + table[static_cast<std::size_t>(rng() % kTeams) * 4].japaneseName;
        csv += "\r\n";
    }
    return csv;
}

imports::MemberImportOptions formOptions() {
    imports::MemberImportOptions options;
    options.dateColumn = 1;
    options.nameColumn = 2;
    options.firstVoteColumn = 3;
    options.lastVoteColumn = 12;
    return options;
}

}  // namespace scorvale::bench
