#!/usr/bin/env bash
# Drives the real program on an X server with real input events: click the
# save button, type a path into the file dialog, confirm, then check that the
# file appeared and that its first line decodes to the game title. Then it
# adds a team and a member voting for it through the dialogs, writes the page
# and checks it; then it loads a sample game (cancelling once at the question
# about the unsaved changes) and photographs the window. Last it starts the
# program again with the example game named on the command line beside the
# toolkit's own options, and checks that unsaved work is guarded at exit and
# that the toolkit left no settings file behind.
# Usage: e2e_save.sh PROGRAM WORKDIR SAMPLE_GAME EXAMPLE_GAME
set -euo pipefail
program=$1
work=$2
sample=$3
example=$4
source "$(dirname "$0")/e2e_lib.sh"

startProgram "$work/program.log"
main=$(timeout 20 xdotool search --sync --onlyvisible --name '^Scorvale$' | head -1)
[ -n "$main" ] || { echo "FAIL: the main window did not appear"; exit 1; }
sleep 0.5

# The save button sits seventh in the left strip.
xdotool mousemove --window "$main" 53 196 click 1
waitDialog "the save dialog" >/dev/null
target="$work/saved"
xdotool type --delay 20 "$target"
sleep 0.3
import -window root "$work/save-dialog.png"
xdotool key Return

for _ in $(seq 50); do [ -s "$target.svl" ] && break; sleep 0.1; done
[ -s "$target.svl" ] || { echo "FAIL: $target.svl was not written"; exit 1; }
sleep 0.3
import -window root "$work/after-save.png"

first=$(head -n 1 "$target.svl" | tr -d '\r')
decoded=$(python3 -c '
import sys
s = sys.argv[1]
d = lambda v: v - 87 if v >= 97 else v - 48
print(bytes(((d(ord(s[i]) - 10) * 16 + d(ord(s[i + 1]) - 20)) & 255) for i in range(0, len(s) - 1, 2)).decode("ascii", "replace"))
' "$first")
expected="[G_NAME]Let's bet on the World Cup 2002"
if [ "$decoded" != "$expected" ]; then
  echo "FAIL: first line decodes to '$decoded', expected '$expected'"
  exit 1
fi
caption=$(xdotool getwindowname "$main")
[ "$caption" = "Scorvale! [Let's bet on the World Cup 2002]" ] || { echo "FAIL: caption is '$caption'"; exit 1; }
# Add a team, then a member voting for it, through the dialogs; write the page.
# The buttons of the strip, from the top: ... 4 チーム追加, 5 参加者追加, 6 HTML出力.
xdotool mousemove --window "$main" 53 108 click 1
waitDialog "the team editor" >/dev/null
xdotool type --delay 20 "Brazil"
xdotool key Return
sleep 0.5
xdotool mousemove --window "$main" 53 137 click 1
member=$(waitDialog "the member editor")
xdotool type --delay 20 "Alice"
# To the teams' filter (name, image, filter), narrowed to Brazil, which
# Return adds; from the teams' list on, Return is OK again.
xdotool key Tab Tab
xdotool type --delay 20 "bra"
xdotool key Return
sleep 0.3
import -window root "$work/member-editor.png"
xdotool key Tab Tab Return
sleep 0.5
xdotool mousemove --window "$main" 53 167 click 1
waitDialog "the HTML output settings" >/dev/null
xdotool key Return
sleep 0.5
waitDialog "the page's save dialog" >/dev/null
xdotool type --delay 20 "$work/page"
xdotool key Return
for _ in $(seq 50); do [ -s "$work/page.html" ] && break; sleep 0.1; done
[ -s "$work/page.html" ] || { echo "FAIL: $work/page.html was not written"; exit 1; }
page=$(iconv -f CP932 -t UTF-8 "$work/page.html")
# The member's row names the first vote; the team's row counts its popularity (10 for a first choice).
grep -q '<td>  1</td><td>Alice</td><td>  0</td><td>Brazil</td>' <<<"$page" || { echo "FAIL: the page has no row for Alice voting Brazil"; exit 1; }
grep -q '<td>Brazil</td><td></td><td> </td><td> 10</td>' <<<"$page" || { echo "FAIL: the page's team row for Brazil lacks the vote"; exit 1; }

# Load: the first button; OK in the load settings. The team and the member
# added since the save are unsaved, so the new load asks first: キャンセル
# (Escape) stops with the game as it was, いいえ gives them up and goes on to
# the open dialog and the sample's path.
xdotool mousemove --window "$main" 53 21 click 1
waitDialog "the load settings dialog" >/dev/null
xdotool key Return
sleep 0.5
waitDialog "the new load's question" >/dev/null
import -window root "$work/load-question.png"
xdotool key Escape
sleep 0.8
if xdotool search --onlyvisible --pid "${pids[1]}" --name '.' 2>/dev/null | grep -v "^$main\$" | grep -q .; then
  echo "FAIL: a dialog is open after the new load was cancelled at its question"; exit 1
fi
caption=$(xdotool getwindowname "$main")
[ "$caption" = "Scorvale! [Let's bet on the World Cup 2002]" ] || { echo "FAIL: a cancelled new load left the caption '$caption'"; exit 1; }
xdotool mousemove --window "$main" 53 21 click 1
waitDialog "the load settings dialog" >/dev/null
xdotool key Return
sleep 0.5
waitDialog "the new load's question" >/dev/null
xdotool key alt+n
sleep 0.5
waitDialog "the open dialog" >/dev/null
xdotool type --delay 20 "$sample"
xdotool key Return
for _ in $(seq 50); do
  caption=$(xdotool getwindowname "$main")
  [ "$caption" != "Scorvale! [Let's bet on the World Cup 2002]" ] && break
  sleep 0.1
done
case "$caption" in
  *2002*ワールドカップ*) ;;
  *) echo "FAIL: after loading the sample the caption is '$caption'"; exit 1 ;;
esac
sleep 0.3
import -window "$main" "$work/main-window.png"

kill "${pids[1]}"
wait "${pids[1]}" 2>/dev/null || true

# The example named on the command line opens at start, as a new load; the
# toolkit's own options beside it are the toolkit's.
env -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work/runtime" "$program" -platform xcb --style Fusion "$example" \
  >"$work/program2.log" 2>&1 &
pids+=($!)
second=${pids[-1]}
main=
for _ in $(seq 200); do
  main=$(xdotool search --onlyvisible --pid "$second" --name 'Scorvale' 2>/dev/null | head -1 || true)
  [ -n "$main" ] && case "$(xdotool getwindowname "$main")" in *ワールドカップ2002*) break ;; esac
  sleep 0.1
done
caption=$(xdotool getwindowname "$main")
[ "$caption" = "Scorvale! [ワールドカップ2002 優勝予想]" ] || { echo "FAIL: started with the example the caption is '$caption'"; exit 1; }

# An added team is unsaved work: Escape asks whether to save first; キャンセル
# (Escape in the question) stays.
xdotool mousemove --window "$main" 53 108 click 1
waitDialog "the team editor" >/dev/null
xdotool type --delay 20 "Japan B"
xdotool key Return
sleep 0.5
xdotool windowfocus --sync "$main" || true
xdotool key Escape
question=$(waitDialog "the exit question")
import -window root "$work/exit-question.png"
xdotool key Escape
sleep 0.8
kill -0 "$second" 2>/dev/null || { echo "FAIL: the program ended although the exit was cancelled"; exit 1; }
xdotool search --onlyvisible --pid "$second" --name 'Scorvale' >/dev/null || { echo "FAIL: the window is gone"; exit 1; }
# Again, now いいえ: the program ends without saving.
xdotool windowfocus --sync "$main" || true
xdotool key Escape
question=$(waitDialog "the exit question")
xdotool key alt+n
for _ in $(seq 50); do kill -0 "$second" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$second" 2>/dev/null; then echo "FAIL: the program did not end on いいえ"; exit 1; fi
if [ -n "$(ls -A "$work/config")" ]; then
  echo "FAIL: the toolkit left settings behind: $(ls -A "$work/config")"
  exit 1
fi

echo "e2e: saved $target.svl, wrote $work/page.html, screenshots in $work"
echo "1 passed, 0 failed"
