#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the normal
# build, then the core, dialog and window tests again under AddressSanitizer +
# UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

echo "== normal build"
cmake --preset default -DBUILD_TESTING=ON -DSCORVALE_BUILD_BENCH=ON >/dev/null
cmake --build --preset default
ctest --preset default

echo "== sanitizer build (ASan + UBSan)"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --preset sanitize

echo "== fuzzing the game file reader and the two imports (60 s each), the greeting's tags (30 s)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
# fuzz TARGET CORPUS [DICTIONARY [SECONDS]]: new inputs go to a scratch copy of
# the corpus, a crashing input to build/fuzz/; any finding exits non-zero and
# (pipefail) fails the script.
fuzz() {
  local target=$1 corpus=$2 dict=${3:-} seconds=${4:-60}
  mkdir -p "$scratch/$target" && cp "$corpus"/* "$scratch/$target/"
  echo "-- $target"
  ASAN_OPTIONS=detect_leaks=1 "build/fuzz/tests/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="build/fuzz/$target-" ${dict:+-dict="$dict"} "$scratch/$target" 2>&1 | tail -n 6
}
fuzz fuzz_load_game tests/fuzz/corpus tests/fuzz/load_game.dict
fuzz fuzz_import_results tests/fuzz/corpus_results tests/fuzz/import_results.dict
fuzz fuzz_import_members tests/fuzz/corpus_members tests/fuzz/import_members.dict
fuzz fuzz_greeting tests/fuzz/corpus_greeting tests/fuzz/greeting.dict 30
