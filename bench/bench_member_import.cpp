// The members import of 10,000 rows of ten picks into 48 teams, in the steps
// the preview takes: reading the file once (decode and CSV), planning from
// the records (what every change of a column or a check box costs), and
// preparing and applying as svltool does.
#include <benchmark/benchmark.h>

#include "bench/members_file_bench.h"

namespace {

using namespace scorvale;

constexpr int kRows = 10000;

void ReadMembersFile(benchmark::State& state) {
    const std::string csv = bench::formCsv(kRows);
    for (auto _ : state) benchmark::DoNotOptimize(imports::readMembersFile(csv));
}
BENCHMARK(ReadMembersFile)->Unit(benchmark::kMillisecond);

void PlanFromTheRecords(benchmark::State& state) {
    const Game game = bench::game48();
    const imports::MembersFile file = imports::readMembersFile(bench::formCsv(kRows));
    imports::TeamMatcher matcher(game);
    for (auto _ : state)
        benchmark::DoNotOptimize(imports::planMemberImport(file, bench::formOptions(), game, matcher, "26/06/10"));
}
BENCHMARK(PlanFromTheRecords)->Unit(benchmark::kMillisecond);

void PrepareAndApply(benchmark::State& state) {
    const Game base = bench::game48();
    const std::string csv = bench::formCsv(kRows);
    for (auto _ : state) {
        Game game = base;
        const auto plan = imports::prepareMemberImport(csv, bench::formOptions(), game, "26/06/10");
        imports::applyMemberImport(game, plan, "26/06/10");
        benchmark::DoNotOptimize(game.memberCount());
    }
}
BENCHMARK(PrepareAndApply)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
