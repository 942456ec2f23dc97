// Loading and saving a big pool's file, beside the floor any reader pays: a
// loop that only hex-decodes the same bytes. Merging a file whose members are
// all present must cost about what a new load does. A results history of
// thousands of days is saved and loaded with the pool.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

#include "bench/bench_games.h"
#include "gamefile/game_file.h"
#include "gamefile/hex_code.h"

namespace {

using namespace scorvale;

const Game& pool(int members) {
    static std::map<int, Game> pools;
    auto it = pools.find(members);
    if (it == pools.end()) it = pools.emplace(members, bench::makePool(48, members, 10)).first;
    return it->second;
}

const std::string& poolFile(int members) {
    static std::map<int, std::string> files;
    auto it = files.find(members);
    if (it == files.end()) it = files.emplace(members, gameFileBytes(pool(members))).first;
    return it->second;
}

void BM_HexDecodeOnly(benchmark::State& state) {
    const std::string& bytes = poolFile(static_cast<int>(state.range(0)));
    std::string out(bytes.size() / 2, '\0');
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    for (auto _ : state) {
        char* dst = out.data();
        for (std::size_t i = 0; i + 1 < bytes.size();) {
            if (in[i] == '\r' || in[i] == '\n') {
                ++i;
                continue;
            }
            *dst++ = static_cast<char>(detail::kHex.decode(in[i], in[i + 1]));
            i += 2;
        }
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

long minorFaults() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// Each load builds a new game; the page faults it takes for fresh memory are
// counted, since on some machines they cost more than the reading.
void BM_Load(benchmark::State& state) {
    const std::string& bytes = poolFile(static_cast<int>(state.range(0)));
    long faults = 0;
    for (auto _ : state) {
        Game game;
        const long before = minorFaults();
        loadGameBytes(game, bytes, ReadAll);
        faults += minorFaults() - before;
        benchmark::DoNotOptimize(game.memberCount());
        state.PauseTiming();
        game = Game{};
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    state.counters["page_faults"] = benchmark::Counter(static_cast<double>(faults), benchmark::Counter::kAvgIterations);
}

// What a save does before the disk: the file's bytes made piece by piece.
// Returns the file's size.
std::size_t measureSave(benchmark::State& state, const Game& game) {
    std::size_t size = 0;
    for (auto _ : state) {
        size = 0;
        writeGameBytes(game, [&](std::string_view piece) {
            size += piece.size();
            benchmark::DoNotOptimize(piece.data());
        });
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
    return size;
}

void BM_Save(benchmark::State& state) { measureSave(state, pool(static_cast<int>(state.range(0)))); }

// The whole file as one string in memory (svltool's encode): fresh memory
// for all of it on every run.
void BM_SaveToString(benchmark::State& state) {
    const Game& game = pool(static_cast<int>(state.range(0)));
    std::size_t size = 0;
    for (auto _ : state) {
        std::string bytes = gameFileBytes(game);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

// The whole save with the temporary file, fsync and rename.
void BM_SaveFile(benchmark::State& state) {
    const Game& game = pool(static_cast<int>(state.range(0)));
    const std::string path = "/tmp/scorvale-bench-" + std::to_string(::getpid()) + ".svl";
    for (auto _ : state) saveGame(game, path);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * poolFile(static_cast<int>(state.range(0))).size()));
    std::remove(path.c_str());
}

// Every team and member of the file is already in the game: all are dropped.
void BM_MergeAllPresent(benchmark::State& state) {
    const std::string& bytes = poolFile(static_cast<int>(state.range(0)));
    Game game;
    loadGameBytes(game, bytes, ReadAll);
    for (auto _ : state) {
        loadGameBytes(game, bytes, ReadTeams | ReadMembers);
        benchmark::DoNotOptimize(game.memberCount());
    }
    if (game.memberCount() != state.range(0)) state.SkipWithError("merge added records");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

// A pool of 1,000 members and `teams` teams whose results were recorded on
// `days` days, every number moving from day to day as a tournament's do.
const Game& poolWithHistory(int days, int teams) {
    static std::map<std::pair<int, int>, Game> pools;
    const auto key = std::make_pair(days, teams);
    auto it = pools.find(key);
    if (it == pools.end()) {
        Game game = bench::makePool(teams, 1000, 10);
        for (int d = 0; d < days; ++d) {
            // A distinct date a day from 00/01/01 on, 28 days a month.
            char date[16];
            std::snprintf(date, sizeof date, "%02d/%02d/%02d", d / 336 % 100, d / 28 % 12 + 1, d % 28 + 1);
            HistoryDay record = currentResults(game, date);
            for (RecordedResults& t : record.teams) {
                t.wins = d / 3;
                t.draws = d % 5;
                t.losses = d / 4;
                t.goalDiff = d % 11 - 5;
            }
            game.history.setDay(std::move(record));
        }
        it = pools.emplace(key, std::move(game)).first;
    }
    return it->second;
}

void BM_SaveWithHistory(benchmark::State& state) {
    const Game& game = poolWithHistory(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const std::size_t size = measureSave(state, game);
    state.counters["days"] = static_cast<double>(game.history.days().size());
    state.counters["file_MB"] = static_cast<double>(size) / 1e6;
}

void BM_LoadWithHistory(benchmark::State& state) {
    const Game& source = poolWithHistory(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const std::string bytes = gameFileBytes(source);
    for (auto _ : state) {
        Game game;
        loadGameBytes(game, bytes, ReadAll);
        if (game.history.days().size() != source.history.days().size()) state.SkipWithError("days lost");
        state.PauseTiming();
        game = Game{};
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

BENCHMARK(BM_HexDecodeOnly)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Arg(1000000)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveToString)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveFile)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MergeAllPresent)->Arg(100000)->Unit(benchmark::kMillisecond);
// A World Cup (30 days, 48 teams), a league season, and thousands of days of hundreds of teams.
BENCHMARK(BM_SaveWithHistory)->Args({0, 48})->Args({30, 48})->Args({300, 20})->Args({3000, 300})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadWithHistory)->Args({0, 48})->Args({30, 48})->Args({300, 20})->Args({3000, 300})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
