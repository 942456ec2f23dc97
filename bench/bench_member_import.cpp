// The members import of 10,000 rows of ten picks into 48 teams, in the steps
// the preview takes: reading the file once (decode and CSV), guessing the
// columns, planning from the records (what every change of a column or a
// check box costs), and preparing and applying as svltool does; then the
// same for the form whose header runs to a million empty columns. The
// counters give the memory the records of a file hold against its size.
#include <benchmark/benchmark.h>

#include "bench/members_file_bench.h"
#include "imports/member_columns.h"

namespace {

using namespace scorvale;

constexpr int kRows = 10000;

void recordMemory(benchmark::State& state, const std::string& csv) {
    const imports::MembersFile file = imports::readMembersFile(csv);
    state.counters["file_MB"] = static_cast<double>(csv.size()) / 1e6;
    state.counters["records_MB"] = static_cast<double>(file.table.footprint()) / 1e6;
}

void ReadMembersFile(benchmark::State& state, const std::string& csv) {
    for (auto _ : state) benchmark::DoNotOptimize(imports::readMembersFile(csv));
    recordMemory(state, csv);
}

void GuessColumns(benchmark::State& state, const std::string& csv) {
    const Game game = bench::game48();
    const imports::MembersFile file = imports::readMembersFile(csv);
    for (auto _ : state) {
        imports::TeamMatcher matcher(game);
        benchmark::DoNotOptimize(imports::guessMemberColumns(file, matcher));
    }
}

void PlanFromTheRecords(benchmark::State& state, const std::string& csv) {
    const Game game = bench::game48();
    const imports::MembersFile file = imports::readMembersFile(csv);
    imports::TeamMatcher matcher(game);
    imports::MemberImportOptions options = bench::formOptions();
    options.lastVoteColumn = file.columnCount();
    for (auto _ : state)
        benchmark::DoNotOptimize(imports::planMemberImport(file, options, game, matcher, "26/06/10"));
}

void PrepareAndApply(benchmark::State& state, const std::string& csv) {
    const Game base = bench::game48();
    imports::MemberImportOptions options = bench::formOptions();
    options.lastVoteColumn = imports::readMembersFile(csv).columnCount();
    for (auto _ : state) {
        Game game = base;
        const auto plan = imports::prepareMemberImport(csv, options, game, "26/06/10");
        imports::applyMemberImport(game, plan, "26/06/10");
        benchmark::DoNotOptimize(game.memberCount());
    }
}

const std::string& form() {
    static const std::string csv = bench::formCsv(kRows);
    return csv;
}
const std::string& wide() {
    static const std::string csv = bench::wideCsv();
    return csv;
}

BENCHMARK_CAPTURE(ReadMembersFile, form_10000_rows, form())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GuessColumns, form_10000_rows, form())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlanFromTheRecords, form_10000_rows, form())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PrepareAndApply, form_10000_rows, form())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadMembersFile, million_empty_columns, wide())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GuessColumns, million_empty_columns, wide())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlanFromTheRecords, million_empty_columns, wide())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PrepareAndApply, million_empty_columns, wide())->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
