#!/usr/bin/env bash
# svltool import-members end to end (load, read, guess the columns, match,
# write), with no column option: wall time (median of N runs), CPU time and
# peak memory of
#   - 10,000 rows of ten picks into a game of 48 teams, the picks written as
#     forms write them (Japanese, English, FIFA codes, half-width katakana);
#   - the 1.27 MB form whose header runs to a million empty columns;
#   - a 31 MB form (200,000 rows), near the largest members file read;
#   - a 100 MB file, refused for its size.
# Usage: bench/import_members_times.sh [SVLTOOL] [N]
set -euo pipefail
cd "$(dirname "$0")/.."
tool=${1:-build/default/tools/svltool/svltool}
runs=${2:-9}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

PYTHONPATH=tools python3 - "$work" <<'PY'
import random, sys, unicodedata
from file_tags import FILE_LINES
work = sys.argv[1]
tag = {field: t for t, _, field in FILE_LINES.settings}
team = {field: t for t, _, field in FILE_LINES.team}
random.seed(1)
rows = [line.rstrip('\n').split('\t') for line in open('imports/data/national_teams.tsv', encoding='utf-8')
        if line.strip() and not line.startswith('#')]
teams = random.sample(rows, 48)
lines = [tag["name"] + "48 teams", tag["maxBet"] + "10"]
for row in teams:
    lines += [team["name"] + row[1], team["wins"] + str(random.randint(0, 3)), team["qualify"] + "1", team["end"]]
lines.append(FILE_LINES.file_end)
open(f"{work}/game.txt", "w", encoding="cp932", newline="\r\n").write("\n".join(lines) + "\n")

HALF = {unicodedata.normalize("NFKC", chr(h)): chr(h) for h in range(0xFF61, 0xFFA0)}
MARKS = {"\u3099": "\uff9e", "\u309a": "\uff9f"}

def half_width(text):
    # Katakana as a spreadsheet's half-width input gives it: ブ is ﾌﾞ.
    out = []
    for c in text:
        d = unicodedata.normalize("NFD", c)
        if c in HALF:
            out.append(HALF[c])
        elif len(d) == 2 and d[0] in HALF and d[1] in MARKS:
            out.append(HALF[d[0]] + MARKS[d[1]])
        else:
            out.append(c)
    return "".join(out)

def written(row):
    english = [n for n in row[3].split('|') if n]
    forms = [row[1], row[0]] + english[:1] + [half_width(row[1])]
    return random.choice(forms)

def form(path, members, picks, header_tail=""):
    out = ["タイムスタンプ,お名前," + ",".join(f"{k}位" for k in range(1, picks + 1)) + header_tail]
    for m in range(members):
        chosen = [written(row) for row in random.sample(teams, picks)]
        out.append(f"2026/06/{1 + m % 28:02d} 12:{m % 60:02d}:00,参加者{m}," + ",".join(chosen))
    open(path, "w", encoding="utf-8-sig", newline="\r\n").write("\n".join(out) + "\n")

form(f"{work}/members.csv", 10000, 10)
form(f"{work}/wide.csv", 3300, 5, "," * 1000000)
form(f"{work}/large.csv", 195000, 10)
with open(f"{work}/huge.csv", "w", encoding="utf-8") as f:
    f.write("名前,1位\n" + "参加者,Japan\n" * (100 * 1000 * 1000 // 16))
PY
"$tool" encode "$work/game.txt" -o "$work/game.svl"

# One run: "wall_s cpu_s peak_MB status"
run() {
  python3 - "$@" <<'PY'
import resource, subprocess, sys, time
start = time.monotonic()
status = subprocess.run(sys.argv[1:], stderr=subprocess.DEVNULL).returncode
wall = time.monotonic() - start
usage = resource.getrusage(resource.RUSAGE_CHILDREN)
print(f"{wall:.3f} {usage.ru_utime + usage.ru_stime:.3f} {usage.ru_maxrss / 1024:.0f} {status}")
PY
}

measure() {  # measure NAME CSV RUNS
  local name=$1 csv=$2 n=$3 walls=() last
  for _ in $(seq "$n"); do
    last=$(run "$tool" import-members "$work/game.svl" "$csv" -o "$work/out.svl")
    walls+=("${last%% *}")
  done
  local median size
  median=$(printf '%s\n' "${walls[@]}" | sort -n | awk '{a[NR]=$1} END {printf "%.0f", a[int((NR+1)/2)]*1000}')
  size=$(stat -c %s "$csv" | awk '{printf "%.2f", $1/1e6}')
  read -r _ cpu peak status <<<"$last"
  printf '| %s | %s MB | %s ms | %.0f ms | %s MB | %s |\n' "$name" "$size" "$median" "$(awk "BEGIN{print $cpu*1000}")" \
    "$peak" "$status"
}

echo "| svltool import-members, 48 teams | file | wall (median) | CPU | peak memory | status |"
echo "|---|---:|---:|---:|---:|---:|"
measure "10,000 rows x 10 picks" "$work/members.csv" "$runs"
measure "1,000,000 empty columns" "$work/wide.csv" "$runs"
measure "195,000 rows x 10 picks" "$work/large.csv" 3
measure "100 MB (refused)" "$work/huge.csv" 3
