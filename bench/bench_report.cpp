// The whole report page with member details: ranking table, one detail table
// per member and the same-voter lines, for pools of the sizes we publish.
#include <benchmark/benchmark.h>

#include "bench/bench_games.h"
#include "report/html_report.h"
#include "scoring/ordering.h"
#include "scoring/standings.h"

namespace {

using namespace scorvale;

// makePool gives every member its own random list; copy some lists so the
// same-voter lines have groups to find (every 20th member repeats one of the
// 50 before it).
Game reportPool(int members) {
    Game game = bench::makePool(48, members, 10);
    for (int i = 50; i < members; i += 20) {
        Member& m = game.memberAt(i);
        const Member& original = game.memberAt(i - 1 - i % 50);
        while (m.voteCount() > 0) m.removeVote(0);
        for (const std::string_view vote : original.votes()) m.appendVote(vote);
    }
    computeStandings(game);
    sortTeams(game, TeamSortKey::rank);
    sortMembers(game, MemberSortKey::rank);
    return game;
}

void BM_ReportWithDetails(benchmark::State& state) {
    const Game game = reportPool(static_cast<int>(state.range(0)));
    ReportSettings settings;
    settings.title = game.settings.name;
    settings.memberDetails = 1;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string page = htmlReportBytes(game, settings);
        bytes = page.size();
        benchmark::DoNotOptimize(page.data());
    }
    state.counters["page_MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["bytes_per_member"] = static_cast<double>(bytes) / static_cast<double>(state.range(0));
}
BENCHMARK(BM_ReportWithDetails)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The same page written to disk through the safe writer (temporary file,
// fsync, rename), as the HTML output command does.
void BM_WriteReportFile(benchmark::State& state) {
    const Game game = reportPool(static_cast<int>(state.range(0)));
    ReportSettings settings;
    settings.memberDetails = 1;
    const std::string path = "/tmp/scorvale_bench_report.html";
    for (auto _ : state) writeHtmlReport(game, path, settings);
    std::remove(path.c_str());
}
BENCHMARK(BM_WriteReportFile)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
