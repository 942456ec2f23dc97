// A dated match list's import records one day of results for each match
// day, computing the list as it stood that day: the 2002 World Cup (64
// matches, 25 days) into the example game, and generated leagues whose every
// team plays on every date, against the import without its history.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "gamefile/game_file.h"
#include "imports/results_replay.h"

namespace {

using namespace scorvale;
using namespace scorvale::imports;

struct Case {
    Game game;
    PreparedImport prepared;
};

const Case& worldCup2002() {
    static const Case c = [] {
        Case out;
        loadGame(out.game, SCORVALE_SOURCE_DIR "/examples/worldcup2002.svl", ReadAll);
        std::ifstream in(SCORVALE_SOURCE_DIR "/tests/fixtures/openfootball/worldcup2002.json", std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        TeamMatcher matcher(out.game);
        out.prepared = prepareImport(bytes.str(), matcher);
        return out;
    }();
    return c;
}

// `teams` teams in one group, each playing once on each of `dates` dates.
Case league(int teams, int dates) {
    Case out;
    MatchList& list = out.prepared.list;
    list.format = MatchListFormat::Csv;
    for (int d = 0; d < dates; ++d) {
        char date[16];
        std::snprintf(date, sizeof date, "2025-%02d-%02d", d / 28 % 12 + 1, d % 28 + 1);
        for (int k = 0; k < teams / 2; ++k) {
            Match m;
            m.place = static_cast<int>(list.matches.size()) + 2;
            m.group = "A";
            m.team1 = "Team " + std::to_string((k + d) % teams);
            m.team2 = "Team " + std::to_string((teams - 1 - k + d) % teams);
            m.date = date;
            m.fullTime = Goals{(k + d) % 4, (k * d) % 3};
            list.matches.push_back(std::move(m));
        }
    }
    out.prepared.results = computeResults(list);
    TeamMatcher matcher(out.game);
    out.prepared.plan = defaultPlan(out.prepared.results, matcher);
    return out;
}

void run(benchmark::State& state, const Case& c, bool withHistory) {
    const PreparedImport& p = c.prepared;
    std::size_t days = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Game game = c.game;
        state.ResumeTiming();
        if (withHistory) applyImportWithHistory(game, p.list, p.results, p.plan, {}, "26/12/10");
        else applyImport(game, p.results, p.plan, "26/12/10");
        days = game.history.days().size();
        benchmark::DoNotOptimize(game.teamCount());
    }
    state.counters["matches"] = static_cast<double>(p.list.matches.size());
    state.counters["days"] = static_cast<double>(days);
}

void BM_WorldCup2002(benchmark::State& state) { run(state, worldCup2002(), state.range(0) != 0); }

void BM_League(benchmark::State& state) {
    static std::map<std::pair<int, int>, Case> cases;
    const auto key = std::make_pair(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    auto it = cases.find(key);
    if (it == cases.end()) it = cases.emplace(key, league(key.first, key.second)).first;
    run(state, it->second, state.range(2) != 0);
}

// 0: the import alone, 1: with its history.
BENCHMARK(BM_WorldCup2002)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
// Teams, dates, with history: a season of 20 teams, then 48 teams over 300 dates.
BENCHMARK(BM_League)->Args({20, 38, 0})->Args({20, 38, 1})->Args({48, 300, 0})->Args({48, 300, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
