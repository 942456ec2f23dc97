#!/usr/bin/env bash
# Times the main window on a real X server (Xvfb): start-up, full update and
# header clicks with 48 teams and 100,000 members.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default -DBUILD_TESTING=ON -DSCORVALE_BUILD_BENCH=ON >/dev/null
cmake --build --preset default --target bench_window
display=
for n in $(seq 99 140); do
  if [ ! -e /tmp/.X$n-lock ] && [ ! -e /tmp/.X11-unix/X$n ]; then display=:$n; break; fi
done
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb' EXIT
sleep 1
runtime=$(mktemp -d) && chmod 700 "$runtime"
DISPLAY=$display QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$runtime build/default/bench/bench_window
