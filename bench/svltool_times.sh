#!/usr/bin/env bash
# Wall time of each svltool command on the example game and on a synthetic
# game of 64 teams and 10,000 members (ten votes each); median of N runs.
# Usage: bench/svltool_times.sh [SVLTOOL] [N]
set -euo pipefail
cd "$(dirname "$0")/.."
tool=${1:-build/default/tools/svltool/svltool}
runs=${2:-9}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$work/big.txt" <<'PY'
import random, sys
random.seed(1)
teams = [f"Team{i}" for i in range(64)]
lines = ["[G_NAME]big", "[G_MAXBET]10"]
for t in teams:
    lines += [f"[T_NAME]{t}", f"[T_WIN]{random.randint(0, 3)}", "[T_QUALIFY]1", "[T_END]"]
for m in range(10000):
    lines += [f"[M_NAME]member{m}"] + [f"[M_TEAM]{v}" for v in random.sample(teams, 10)] + ["[M_END]"]
lines.append("[ALL_END]")
open(sys.argv[1], "w", newline="\r\n").write("\n".join(lines) + "\n")
PY
"$tool" encode "$work/big.txt" -o "$work/big.svl"

median_ms() {
  local times=() start end
  for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    times+=($(((end - start) / 1000)))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {printf "%.1f", a[int((NR+1)/2)]/1000}'
}

printf '| command | example (32 teams, 12 members) ms | 64 teams, 10,000 members ms |\n|---|---:|---:|\n'
for cmd in "decode" "encode" "standings" "standings --json" "report -o OUT" "report -o OUT --details"; do
  read -ra args <<<"${cmd//OUT/$work/page.html}"
  sub=${args[0]}
  rest=("${args[@]:1}")
  a=$(median_ms "$tool" "$sub" examples/worldcup2002.svl "${rest[@]}")
  b=$(median_ms "$tool" "$sub" "$work/big.svl" "${rest[@]}")
  printf '| %s | %s | %s |\n' "$cmd" "$a" "$b"
done
