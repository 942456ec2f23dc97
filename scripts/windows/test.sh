#!/usr/bin/env bash
# Checks the Windows build under Wine, after scripts/windows.sh has built it:
#  1. every Windows test program (core, game file, report, imports, svltool);
#  2. svltool.exe's standings of the example game equal the Linux build's;
#  3. the installer installs the program, its Start-menu entry and the .svl
#     file type, and its uninstaller removes them;
#  4. the zip unpacked into a folder with a Japanese name: scorvale.exe opens
#     the example on Xvfb with its caption, the screenshot goes to
#     build/windows-test/window.png, its save equals the Linux build's, and
#     once it is closed the registry is as it was before it started.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
wine=$root/scripts/windows/wine.sh
export WINEPREFIX=${WINEPREFIX:-$root/build/windows-wine}
dist=$root/build/windows-dist
work=$root/build/windows-test
rm -rf "$work" && mkdir -p "$work"
passes=0 failures=0
winpath() { echo "Z:${1//\//\\}"; }  # a path of this machine as Wine names it
check() {  # check WHAT COMMAND...: runs COMMAND and counts the result
  if "${@:2}"; then echo "ok: $1"; passes=$((passes + 1)); else echo "FAILED: $1"; failures=$((failures + 1)); fi
}

echo "== the test programs under Wine"
check "Windows test programs" ctest --preset windows

echo "== the programs' icon and version"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
for exe in scorvale svltool; do
  x86_64-w64-mingw32-windres -J coff -O rc -i "$dist/Scorvale/$exe.exe" >"$work/$exe.rc"
  check "$exe.exe is version $version" grep -qF "VALUE \"FileVersion\", \"$version\"" "$work/$exe.rc"
done
check "scorvale.exe carries the icon" grep -q '^1 14 /\* RT_GROUP_ICON \*/' "$work/scorvale.rc"

echo "== svltool.exe against the Linux build"
linux_tool=build/default/tools/svltool/svltool
if [ ! -x "$linux_tool" ]; then
  cmake --preset default >/dev/null && cmake --build --preset default --target svltool >/dev/null
fi
"$linux_tool" standings --json examples/worldcup2002.svl >"$work/standings-linux.json"
"$wine" "$dist/Scorvale/svltool.exe" standings --json 'examples\worldcup2002.svl' >"$work/standings-windows.json"
check "standings --json equal" cmp "$work/standings-linux.json" "$work/standings-windows.json"
# The same under a Japanese folder and file name, named on the command line.
japanese="$work/サッカー予想"
mkdir -p "$japanese" && cp examples/worldcup2002.svl "$japanese/ワールドカップ.svl"
"$wine" "$dist/Scorvale/svltool.exe" standings --json "$(winpath "$japanese/ワールドカップ.svl")" >"$work/standings-japanese.json"
check "standings --json of a Japanese path" cmp "$work/standings-linux.json" "$work/standings-japanese.json"

echo "== the installer"
setup=$(ls "$dist"/Scorvale-*-setup.exe)
installed="$WINEPREFIX/drive_c/Program Files/Scorvale"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Scorvale.lnk"
"$wine" "$setup" /S
/usr/lib/wine/wineserver -w
check "installed programs" test -f "$installed/scorvale.exe" -a -f "$installed/svltool.exe" -a -f "$installed/platforms/qwindows.dll"
check "Start-menu entry" test -f "$menu"
"$wine" reg query 'HKLM\Software\Classes\.svl' /ve >"$work/reg-svl.txt" 2>&1 || true
"$wine" reg query 'HKLM\Software\Classes\Scorvale.Game\shell\open\command' /ve >"$work/reg-open.txt" 2>&1 || true
"$wine" reg query 'HKLM\Software\Classes\Scorvale.Game\DefaultIcon' /ve >"$work/reg-icon.txt" 2>&1 || true
check ".svl is a Scorvale game" grep -q 'Scorvale.Game' "$work/reg-svl.txt"
check ".svl opens in scorvale.exe" grep -qF '"C:\Program Files\Scorvale\scorvale.exe" "%1"' "$work/reg-open.txt"
check ".svl shows the program's icon" grep -qF 'C:\Program Files\Scorvale\scorvale.exe,0' "$work/reg-icon.txt"
"$wine" "C:\\Program Files\\Scorvale\\uninstall.exe" /S
/usr/lib/wine/wineserver -w
"$wine" reg query 'HKLM\Software\Classes\.svl' >/dev/null 2>&1 && svl_left=1 || svl_left=0
check "uninstalled" test ! -e "$installed" -a ! -e "$menu" -a "$svl_left" = 0

echo "== the window from the zip"
# What another Qt program left in the registry: the program may use the same
# key (the file dialog's history) but must put it back as it found it.
cat >"$work/registry-seed.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\QtProject\OrganizationDefaults\FileDialog]
"history"=hex(7):66,69,6c,65,3a,2f,2f,2f,43,3a,2f,75,73,65,72,73,00,00
"lastVisited"="file:///C:/users/Public"
"qtVersion"="6.2.4"

[HKEY_CURRENT_USER\Software\QtProject\OrganizationDefaults\OtherGroup]
"kept"="yes"
REG
"$wine" reg import "$(winpath "$work/registry-seed.reg")" >/dev/null 2>&1
"$wine" reg export 'HKCU\Software\QtProject' "$(winpath "$work/registry-before.reg")" /y >/dev/null
folder="$work/予想の集計"
mkdir -p "$folder"
unzip -q "$dist"/Scorvale-*-windows-x64.zip -d "$folder"
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
program=""
cleanup() {
  # What has ended already is no failure of the checks.
  if [ -n "$program" ]; then kill "$program" 2>/dev/null || true; fi
  kill "$xvfb" 2>/dev/null || true
  /usr/lib/wine/wineserver -k 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=$display
sleep 2
(cd "$folder/Scorvale" && exec "$wine" scorvale.exe 'examples\worldcup2002.svl') &
program=$!
expected='Scorvale! [ワールドカップ2002 優勝予想]'
window=$(timeout 180 xdotool search --sync --onlyvisible --name 'Scorvale!' | head -n 1 || true)
caption=$( [ -n "$window" ] && xdotool getwindowname "$window" || echo "(no window)")
echo "caption: $caption"
check "caption" test "$caption" = "$expected"
sleep 5
# The window alone where there is one (docs/windows-wine.png is such a picture).
import -window "${window:-root}" "$work/window.png"
echo "screenshot: $work/window.png"

# Save (保存(S)) under a new name, as a user would, typed whole into the
# file dialog.
saved="$WINEPREFIX/drive_c/saved.svl"
rm -f "$saved"
if [ -n "$window" ]; then
  xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
  xdotool key --delay 200 alt+s
  sleep 4
  xdotool key --delay 100 ctrl+a
  xdotool type --delay 100 'C:\saved.svl'
  xdotool key Return
  for _ in $(seq 30); do [ -s "$saved" ] && break; sleep 1; done
  import -window root "$work/after-save.png"
fi
# Closed as Windows closes a program (WM_CLOSE to its windows, which Wine's
# taskkill sends when not told /f); without a window manager no key does it.
# The program asks before it ends (終了しますか？): はい(Y).
"$wine" taskkill /im scorvale.exe >"$work/taskkill.txt" 2>&1 || true
question=$(timeout 60 xdotool search --sync --onlyvisible --name '^終了$' | head -n 1 || true)
if [ -n "$question" ]; then
  xdotool windowfocus --sync "$question"
  sleep 1
  xdotool key --delay 100 alt+y
fi
closed=no
for _ in $(seq 60); do kill -0 "$program" 2>/dev/null || { closed=yes; break; }; sleep 1; done
check "the window closed" test "$closed" = yes
"$linux_tool" encode examples/worldcup2002.svl -o "$work/saved-linux.svl"
check "the save equals the Linux build's" cmp "$saved" "$work/saved-linux.svl"
"$wine" reg export 'HKCU\Software\QtProject' "$(winpath "$work/registry-after.reg")" /y >/dev/null
check "the registry as it was" cmp "$work/registry-before.reg" "$work/registry-after.reg"

echo "Windows checks: $passes passed, $failures failed"
[ "$failures" -eq 0 ]
