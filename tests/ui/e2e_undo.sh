#!/usr/bin/env bash
# The safety net in the real window with real keys: the window opens centred
# and tall; members imported from the strip's menu, Ctrl+Z shows the lists
# exactly as before the import (pixel for pixel), Ctrl+Y as after it;
# Ctrl+S writes the current file without a dialog; the standings go to CSV
# from the menu; 新しいゲーム starts afresh.
# Usage: e2e_undo.sh PROGRAM WORKDIR EXAMPLE_GAME MEMBERS_CSV
set -euo pipefail
program=$1
work=$2
example=$3
members=$4
source "$(dirname "$0")/e2e_lib.sh"

cp "$example" "$work/game.svl"
startProgram "$work/program.log" "$work/game.svl"
main=
for _ in $(seq 200); do
  main=$(xdotool search --onlyvisible --pid "${pids[-1]}" --name 'Scorvale' 2>/dev/null | head -1 || true)
  [ -n "$main" ] && case "$(xdotool getwindowname "$main")" in *ワールドカップ2002*) break ;; esac
  sleep 0.1
done
[ -n "$main" ] || { echo "FAIL: the main window did not appear"; exit 1; }
sleep 0.5

# Centred on the 1024 x 768 screen, wide enough for every team column and
# tall enough for twenty members.
eval "$(xdotool getwindowgeometry --shell "$main")"
echo "window at $X,$Y size ${WIDTH}x$HEIGHT"
[ "$WIDTH" -ge 800 ] && [ "$HEIGHT" -ge 700 ] || { echo "FAIL: the window opens at ${WIDTH}x$HEIGHT"; exit 1; }
[ $(( (1024 - WIDTH) / 2 - X )) -le 1 ] && [ $(( X - (1024 - WIDTH) / 2 )) -le 1 ] || { echo "FAIL: not centred across ($X)"; exit 1; }
[ $(( (768 - HEIGHT) / 2 - Y )) -le 1 ] && [ $(( Y - (768 - HEIGHT) / 2 )) -le 1 ] || { echo "FAIL: not centred down ($Y)"; exit 1; }

# lists FILE: a picture of the two lists (the window right of the strip).
lists() {
  xdotool mousemove --window "$main" 53 $((HEIGHT - 5))
  sleep 0.4
  import -window "$main" -crop "$((WIDTH - 105))x$HEIGHT+105+0" +repage "$1"
}
# same A B: the two pictures have no pixel apart.
same() { [ "$(compare -metric AE "$1" "$2" null: 2>&1 || true)" = "0" ]; }
# stripMenu KEY...: opens the strip's context menu below the picture, then keys.
stripMenu() {
  xdotool windowfocus --sync "$main" || true
  xdotool mousemove --window "$main" 53 $((HEIGHT - 30)) click 3
  sleep 0.6
  [ $# -eq 0 ] || xdotool key "$@"
}

lists "$work/before.png"
# 参加者の取り込み(&I) from the menu, the file, OK in the preview.
stripMenu i
waitDialog "the members file dialog" >/dev/null
xdotool type --delay 10 "$members"
xdotool key Return
waitDialog "the members import preview" >/dev/null
import -window root "$work/import-preview.png"
xdotool key Return
sleep 0.8
lists "$work/imported.png"
same "$work/before.png" "$work/imported.png" && { echo "FAIL: the import changed nothing in the lists"; exit 1; }

xdotool windowfocus --sync "$main" || true
xdotool key ctrl+z
sleep 0.5
lists "$work/undone.png"
same "$work/before.png" "$work/undone.png" || { echo "FAIL: after Ctrl+Z the lists differ from before the import"; exit 1; }
stripMenu  # it names the step to redo
import -window root "$work/menu-after-undo.png"
xdotool key Escape
sleep 0.3
xdotool key ctrl+y
sleep 0.5
lists "$work/redone.png"
same "$work/imported.png" "$work/redone.png" || { echo "FAIL: after Ctrl+Y the lists differ from after the import"; exit 1; }

# Ctrl+S: the current file, rewritten without a dialog.
before=$(md5sum <"$work/game.svl")
xdotool key ctrl+s
for _ in $(seq 50); do [ "$(md5sum <"$work/game.svl")" != "$before" ] && break; sleep 0.1; done
[ "$(md5sum <"$work/game.svl")" != "$before" ] || { echo "FAIL: Ctrl+S did not rewrite the game file"; exit 1; }
sleep 0.5
others=$(xdotool search --onlyvisible --pid "${pids[-1]}" --name '.' | grep -vc "^$main\$" || true)
[ "$others" = 0 ] || { echo "FAIL: Ctrl+S opened a window"; exit 1; }

# 順位表をCSVで保存: the menu's enabled items from the top are 元に戻す,
# 上書き保存, 新しいゲーム, 順位表をCSVで保存.
stripMenu Down Down Down Down Return
waitDialog "the CSV save dialog" >/dev/null
xdotool type --delay 10 "$work/standings"
xdotool key Return
for _ in $(seq 50); do [ -s "$work/standings.csv" ] && break; sleep 0.1; done
[ "$(head -c 3 "$work/standings.csv" | od -An -tx1 | tr -d ' ')" = "efbbbf" ] || { echo "FAIL: no CSV with a BOM"; exit 1; }
grep -q "佐々木, 花子" "$work/standings.csv" || { echo "FAIL: the CSV lacks an imported member"; exit 1; }

# 新しいゲーム: saved just now, so nothing is asked.
stripMenu Down Down Down Return
for _ in $(seq 50); do
  [ "$(xdotool getwindowname "$main")" = "Scorvale! [Let's bet on the World Cup 2002]" ] && break
  sleep 0.1
done
caption=$(xdotool getwindowname "$main")
[ "$caption" = "Scorvale! [Let's bet on the World Cup 2002]" ] || { echo "FAIL: after 新しいゲーム the caption is '$caption'"; exit 1; }
lists "$work/new-game.png"

echo "e2e: undo, redo, Ctrl+S, CSV and a new game in the real window; pictures in $work"
echo "1 passed, 0 failed"
