// computeStandings + sortTeams(1) + sortMembers(1), the work every command
// that changes the game ends with, against the literal transcription.
#include <benchmark/benchmark.h>

#include "bench/bench_games.h"
#include "scoring/ordering.h"
#include "scoring/standings.h"
#include "tests/support/literal_standings.h"

namespace {

using namespace scorvale;

// Resident memory per member with 10 short votes, measured first, before
// other runs leave freed memory in the process for the pool to reuse.
void BM_ResidentPerMember(benchmark::State& state) {
    for (auto _ : state) {
        const long before = bench::residentBytes();
        Game game = bench::makePool(48, static_cast<int>(state.range(0)), 10);
        computeStandings(game);
        sortMembers(game, MemberSortKey::rank);
        const long after = bench::residentBytes();
        state.counters["bytes_per_member"] = static_cast<double>(after - before) / static_cast<double>(state.range(0));
    }
}
BENCHMARK(BM_ResidentPerMember)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_FullUpdate(benchmark::State& state) {
    Game game = bench::makePool(48, static_cast<int>(state.range(0)), 10);
    for (auto _ : state) {
        computeStandings(game);
        sortTeams(game, TeamSortKey::rank);
        sortMembers(game, MemberSortKey::rank);
        benchmark::DoNotOptimize(game.memberAt(0).score);
    }
}
BENCHMARK(BM_FullUpdate)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The two halves of the full update, to see where its time goes.
void BM_ComputeStandings(benchmark::State& state) {
    Game game = bench::makePool(48, static_cast<int>(state.range(0)), 10);
    for (auto _ : state) {
        computeStandings(game);
        benchmark::DoNotOptimize(game.memberAt(0).score);
    }
}
BENCHMARK(BM_ComputeStandings)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SortMembersByRank(benchmark::State& state) {
    Game game = bench::makePool(48, static_cast<int>(state.range(0)), 10);
    computeStandings(game);
    for (auto _ : state) {
        sortMembers(game, MemberSortKey::score);  // scores: a real reordering each time after the rank sort
        sortMembers(game, MemberSortKey::rank);
        benchmark::DoNotOptimize(game.memberAt(0).score);
    }
}
BENCHMARK(BM_SortMembersByRank)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_FullUpdateLiteral(benchmark::State& state) {
    Game game = bench::makePool(48, static_cast<int>(state.range(0)), 10);
    for (auto _ : state) {
        literal::computeStandings(game);
        literal::sortTeams(game, 1);
        literal::sortMembers(game, 1);
        benchmark::DoNotOptimize(game.memberAt(0).score);
    }
}
BENCHMARK(BM_FullUpdateLiteral)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
