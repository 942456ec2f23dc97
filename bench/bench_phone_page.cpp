// The members' page of a 48-team pool with 30 recorded days, at the sizes
// pools reach and beyond: the whole page as bytes (the scoring of every
// recorded day included), its size per member, and the top-ten picture.
#include <benchmark/benchmark.h>

#include "bench/bench_games.h"
#include "report/phone_page.h"
#include "report/standings_picture.h"
#include "scoring/ordering.h"
#include "scoring/standings.h"

namespace {

using namespace scorvale;

constexpr int kDays = 30;

// Thirty days of June over which every team's results grow to today's; the
// ranking is fixed on the last only.
Game pagePool(int members) {
    Game game = bench::makePool(48, members, 10);
    for (int d = 1; d <= kDays; ++d) {
        Game day = game;
        day.clearMembers();
        for (Team& t : day.teams()) {
            t.wins = t.wins * d / kDays;
            t.draws = t.draws * d / kDays;
            t.losses = t.losses * d / kDays;
            t.tournamentWins = t.tournamentWins * d / kDays;
            t.qualify = d > kDays / 2 ? t.qualify : 0;
        }
        day.settings.over = d == kDays ? game.settings.over : 0;
        game.history.setDay(currentResults(day, "02/06/" + std::string(d < 10 ? "0" : "") + std::to_string(d)));
    }
    computeStandings(game);
    sortTeams(game, TeamSortKey::rank);
    sortMembers(game, MemberSortKey::rank);
    return game;
}

ReportSettings settingsOf(const Game& game) {
    ReportSettings s;
    s.title = game.settings.name;
    s.date = "02/06/30";
    return s;
}

void BM_MembersPage(benchmark::State& state) {
    const Game game = pagePool(static_cast<int>(state.range(0)));
    const ReportSettings settings = settingsOf(game);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string page = phonePageBytes(game, settings);
        bytes = page.size();
        benchmark::DoNotOptimize(page.data());
    }
    state.counters["days"] = static_cast<double>(game.history.days().size());
    state.counters["page_MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["bytes_per_member"] = static_cast<double>(bytes) / static_cast<double>(state.range(0));
}
BENCHMARK(BM_MembersPage)->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_TopTenPicture(benchmark::State& state) {
    const Game game = pagePool(static_cast<int>(state.range(0)));
    const ReportSettings settings = settingsOf(game);
    for (auto _ : state) benchmark::DoNotOptimize(standingsPictureSvg(game, settings).data());
}
BENCHMARK(BM_TopTenPicture)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
BENCHMARK_MAIN();
