# Shared by the real-display tests: source it with $work set. Checks the
# tools, starts an X server on a free display (exported as DISPLAY) and
# defines startProgram and waitDialog. Processes started are ended at exit.
for tool in Xvfb xdotool import compare; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (install xvfb xdotool imagemagick)"; exit 1; }
done
rm -rf "$work" && mkdir -p "$work/runtime" "$work/config" && chmod 700 "$work/runtime"
# The user's configuration: nothing of the program's may land here.
export XDG_CONFIG_HOME=$work/config

pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; }
trap cleanup EXIT

# The server picks a free display itself and writes its number: a display
# chosen by looking for lock files can be taken by another server meanwhile.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "FAIL: Xvfb gave no display"; cat "$work/xvfb.log"; exit 1; }
display=:$(head -n 1 "$work/display")
export DISPLAY=$display
# A loaded machine can take seconds to start the server.
for _ in $(seq 200); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
xdotool getmouselocation >/dev/null 2>&1 || { echo "FAIL: Xvfb did not start on $display"; cat "$work/xvfb.log"; exit 1; }

# startProgram LOG ARG...: starts the program; its pid is the last of pids.
startProgram() {
  local log=$1
  shift
  QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime" "$program" "$@" >"$log" 2>&1 &
  pids+=($!)
}

# waitDialog WHAT: the id of the program's visible window other than $main.
waitDialog() {
  local id=
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --pid "${pids[-1]}" --name '.' 2>/dev/null | grep -v "^$main\$" | head -1 || true)
    [ -n "$id" ] && break
    sleep 0.1
  done
  [ -n "$id" ] || { echo "FAIL: $1 did not open" >&2; exit 1; }
  sleep 0.5
  xdotool windowfocus --sync "$id" || true
  echo "$id"
}
