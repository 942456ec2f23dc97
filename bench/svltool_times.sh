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

PYTHONPATH=tools python3 - "$work/big.txt" <<'PY'
import random, sys
from file_tags import FILE_LINES
tag = {field: t for t, _, field in FILE_LINES.settings}
team = {field: t for t, _, field in FILE_LINES.team}
member = {field: t for t, _, field in FILE_LINES.member}
random.seed(1)
teams = [f"Team{i}" for i in range(64)]
lines = [tag["name"] + "big", tag["maxBet"] + "10"]
for t in teams:
    lines += [team["name"] + t, team["wins"] + str(random.randint(0, 3)), team["qualify"] + "1", team["end"]]
for m in range(10000):
    lines += [member["name"] + f"member{m}"] + [member["vote"] + v for v in random.sample(teams, 10)] + [member["end"]]
lines.append(FILE_LINES.file_end)
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
