// The members import of 10,000 rows of ten picks into 48 teams, in the steps
// the preview takes: reading the file once (decode and CSV), planning from
// the records (what every change of a column or a check box costs), and
// applying the plan.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "imports/member_import.h"
#include "imports/national_teams.h"
#include "text/sjis_codec.h"

namespace {

using namespace scorvale;

constexpr int kTeams = 48;
constexpr int kRows = 10000;
constexpr int kPicks = 10;

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

// A form's export: a timestamp, a name and ten picks written in Japanese,
// as codes or in English.
std::string formCsv() {
    const auto& rows = imports::nationalTeams();
    std::mt19937 rng(2026);
    std::string csv = "\xEF\xBB\xBFタイムスタンプ,お名前,1,2,3,4,5,6,7,8,9,10\r\n";
    for (int r = 0; r < kRows; ++r) {
        csv += "2026/06/01 12:34:56,参加者" + std::to_string(r);
        for (int p = 0; p < kPicks; ++p) {
            const auto& row = rows[static_cast<std::size_t>(rng() % kTeams) * 4];
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

imports::MemberImportOptions formOptions() {
    imports::MemberImportOptions options;
    options.dateColumn = 1;
    options.nameColumn = 2;
    options.firstVoteColumn = 3;
    options.lastVoteColumn = 12;
    return options;
}

void ReadMembersFile(benchmark::State& state) {
    const std::string csv = formCsv();
    for (auto _ : state) benchmark::DoNotOptimize(imports::readMembersFile(csv));
}
BENCHMARK(ReadMembersFile)->Unit(benchmark::kMillisecond);

void PlanFromTheRecords(benchmark::State& state) {
    const Game game = game48();
    const imports::MembersFile file = imports::readMembersFile(formCsv());
    imports::TeamMatcher matcher(game);
    for (auto _ : state) benchmark::DoNotOptimize(imports::planMemberImport(file, formOptions(), game, matcher, "26/06/10"));
}
BENCHMARK(PlanFromTheRecords)->Unit(benchmark::kMillisecond);

void PrepareAndApply(benchmark::State& state) {
    const Game base = game48();
    const std::string csv = formCsv();
    for (auto _ : state) {
        Game game = base;
        const auto plan = imports::prepareMemberImport(csv, formOptions(), game, "26/06/10");
        imports::applyMemberImport(game, plan, "26/06/10");
        benchmark::DoNotOptimize(game.memberCount());
    }
}
BENCHMARK(PrepareAndApply)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
