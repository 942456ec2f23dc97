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

echo "== fuzzing the game file reader (60 s)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
fuzz_dir="$(mktemp -d)"
trap 'rm -rf "$fuzz_dir"' EXIT
cp tests/fuzz/corpus/* "$fuzz_dir/"
# New inputs go to the scratch copy, a crashing input to build/fuzz/; any finding
# exits non-zero and (pipefail) fails the script.
ASAN_OPTIONS=detect_leaks=1 build/fuzz/tests/fuzz/fuzz_load_game -max_total_time=60 -print_final_stats=1 \
  -artifact_prefix=build/fuzz/ "$fuzz_dir" 2>&1 | tail -n 12
