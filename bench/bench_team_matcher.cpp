// The members import matches every pick of a form against the game's teams:
// 100,000 picks against 48 teams, as people write them (codes, English names,
// half-width katakana, spaces), and the worst case where no two picks are
// written alike. Each iteration builds the matcher anew, as an import does.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "bench/members_file_bench.h"
#include "imports/national_teams.h"
#include "imports/team_matcher.h"

namespace {

using namespace scorvale;

constexpr int kTeams = 48;  // as many as bench::game48 holds
constexpr int kPicks = 100000;

// Picks spelled as a form's answers spell them: a few spellings a team.
std::vector<std::string> formPicks() {
    const auto& rows = imports::nationalTeams();
    std::mt19937 rng(2026);
    std::vector<std::string> picks;
    picks.reserve(kPicks);
    for (int k = 0; k < kPicks; ++k) {
        const auto& row = rows[static_cast<std::size_t>(rng() % (kTeams * 4))];  // some are not in the game
        switch (rng() % 4) {
            case 0: picks.push_back(row.japaneseName); break;
            case 1: picks.push_back(row.code); break;
            case 2: picks.push_back(row.englishNames.front()); break;
            default: picks.push_back(" " + row.englishNames.back() + "　"); break;
        }
    }
    return picks;
}

std::vector<std::string> distinctPicks() {
    std::vector<std::string> picks;
    picks.reserve(kPicks);
    for (int k = 0; k < kPicks; ++k) picks.push_back("Team " + std::to_string(k));
    return picks;
}

void matchAll(benchmark::State& state, const std::vector<std::string>& picks) {
    const Game game = bench::game48();
    for (auto _ : state) {
        imports::TeamMatcher matcher(game);
        int matched = 0;
        for (const std::string& pick : picks) matched += matcher.match(pick).team >= 0;
        benchmark::DoNotOptimize(matched);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(picks.size()));
}

void BM_MatchFormPicks(benchmark::State& state) { matchAll(state, formPicks()); }
void BM_MatchDistinctPicks(benchmark::State& state) { matchAll(state, distinctPicks()); }

}  // namespace

BENCHMARK(BM_MatchFormPicks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatchDistinctPicks)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
