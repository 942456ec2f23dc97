// Undo's cost in a big pool: what the steps of 100 one-member edits hold in a
// 100,000-member game (counted by the steps and as the heap sees it, against
// the game itself), and the time a step adds to the command's own ending.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include "bench/bench_games.h"
#include "scoring/ordering.h"
#include "scoring/standings.h"
#include "undo/undo_history.h"

namespace {

using namespace scorvale;

void ending(Game& game) {
    computeStandings(game);
    sortTeams(game, TeamSortKey::rank);
    sortMembers(game, MemberSortKey::rank);
}

// Bytes the heap has handed out, the large blocks it maps on their own included.
std::size_t heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// One member's votes and date changed through the member editor, as the
// window's command does it: the step opened, the edit, the ending, the step kept.
void editOneMember(undo::UndoHistory& history, Game& game, int row, int k) {
    history.begin(game, {undo::Reach::none(), undo::Reach::record(row)});
    Member& member = game.memberAt(row);
    member.removeVote(0);
    member.addVote(game.teamAt(k % game.teamCount()).name.view());
    member.date = "26/06/15";
    ending(game);
    history.end(game, {});
}

void BM_HundredMemberEdits(benchmark::State& state) {
    const int members = static_cast<int>(state.range(0));
    malloc_trim(0);
    const std::size_t empty = heapInUse();
    Game game = bench::makePool(48, members, 10);
    ending(game);
    malloc_trim(0);
    const std::size_t gameHeap = heapInUse() - empty;
    for (auto _ : state) {
        state.PauseTiming();
        auto history = std::make_unique<undo::UndoHistory>();
        history->begin(game, {});  // numbers the records, as the window's first command does
        history->end(game, {});
        malloc_trim(0);
        const std::size_t before = heapInUse();
        state.ResumeTiming();
        for (int k = 0; k < 100; ++k) editOneMember(*history, game, (k * 7919) % members, k);
        state.PauseTiming();
        malloc_trim(0);
        state.counters["steps_bytes"] = static_cast<double>(history->memoryBytes());
        state.counters["heap_growth_bytes"] = static_cast<double>(heapInUse() - before);
        state.counters["game_heap_bytes"] = static_cast<double>(gameHeap);
        state.counters["steps"] = static_cast<double>(history->size());
        history.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_HundredMemberEdits)->Arg(100000)->Iterations(3)->Unit(benchmark::kMillisecond);

// The same edit without undo, to see what a step adds to a command.
void BM_MemberEditWithoutUndo(benchmark::State& state) {
    const int members = static_cast<int>(state.range(0));
    Game game = bench::makePool(48, members, 10);
    ending(game);
    int k = 0;
    for (auto _ : state) {
        Member& member = game.memberAt((k * 7919) % members);
        member.removeVote(0);
        member.addVote(game.teamAt(k % game.teamCount()).name.view());
        ending(game);
        ++k;
    }
}
BENCHMARK(BM_MemberEditWithoutUndo)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_MemberEditWithUndo(benchmark::State& state) {
    const int members = static_cast<int>(state.range(0));
    Game game = bench::makePool(48, members, 10);
    ending(game);
    undo::UndoHistory history;
    int k = 0;
    for (auto _ : state) {
        editOneMember(history, game, (k * 7919) % members, k);
        ++k;
    }
}
BENCHMARK(BM_MemberEditWithUndo)->Arg(100000)->Unit(benchmark::kMillisecond);

// Undo and redo of one member's edit, the ending included.
void BM_UndoRedoMemberEdit(benchmark::State& state) {
    const int members = static_cast<int>(state.range(0));
    Game game = bench::makePool(48, members, 10);
    ending(game);
    undo::UndoHistory history;
    editOneMember(history, game, members / 2, 1);
    const auto end = [&game](const undo::StepInfo&) { ending(game); };
    for (auto _ : state) {
        history.undo(game, end);
        history.redo(game, end);
    }
}
BENCHMARK(BM_UndoRedoMemberEdit)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
