#!/usr/bin/env bash
# Wall time of svltool import-members end to end (load, read, match, write):
# 10,000 rows of ten picks into a game of 48 teams, median of N runs. The
# picks are written as forms write them: Japanese, English, FIFA codes and
# half-width katakana, so every way of matching is taken.
# Usage: bench/import_members_times.sh [SVLTOOL] [N]
set -euo pipefail
cd "$(dirname "$0")/.."
tool=${1:-build/default/tools/svltool/svltool}
runs=${2:-9}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

PYTHONPATH=tools python3 - "$work/game.txt" "$work/members.csv" <<'PY'
import random, sys, unicodedata
from file_tags import FILE_LINES
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
open(sys.argv[1], "w", encoding="cp932", newline="\r\n").write("\n".join(lines) + "\n")

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

out = ["タイムスタンプ,お名前," + ",".join(f"{k}位" for k in range(1, 11))]
for m in range(10000):
    picks = [written(row) for row in random.sample(teams, 10)]
    out.append(f"2026/06/{1 + m % 28:02d} 12:{m % 60:02d}:00,参加者{m}," + ",".join(picks))
open(sys.argv[2], "w", encoding="utf-8-sig", newline="\r\n").write("\n".join(out) + "\n")
PY
"$tool" encode "$work/game.txt" -o "$work/game.svl"

import() {
  "$tool" import-members "$work/game.svl" "$work/members.csv" -o "$work/out.svl" \
    --date-column 1 --name-column 2 --vote-columns 3-12 2>"$work/problems"
}
import
problems=$(wc -l <"$work/problems")
members=$("$tool" standings "$work/out.svl" | sed '1,/^$/d' | tail -n +2 | wc -l)

times=()
for _ in $(seq "$runs"); do
  start=$(date +%s%N)
  import
  end=$(date +%s%N)
  times+=($(((end - start) / 1000)))
done
median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {printf "%.1f", a[int((NR+1)/2)]/1000}')
printf 'import-members, 10,000 rows x 10 picks into 48 teams: %s ms (median of %d); %d members written, %d problems\n' \
  "$median" "$runs" "$members" "$problems"
