#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a scratch folder and checks what
# it installs: the programs run from there, find every library, and nothing of
# Qt is carried along.
# Usage: package_test.sh BUILD_DIR WITH_PROGRAM(0|1)
set -euo pipefail
build=$1
with_program=$2
scratch=$(mktemp -d "${TMPDIR:-/tmp}/scorvale-package.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1) || { cat "$scratch/cpack.log" >&2; fail "cpack"; }
debs=("$scratch"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb in $scratch/out"
deb=${debs[0]}
root=$scratch/root
dpkg -x "$deb" "$root"

# Every dependency names a Debian package (installed here, since we build with it).
depends=$(dpkg-deb -f "$deb" Depends)
IFS=',' read -ra names <<<"$depends"
for name in "${names[@]}"; do
  name=${name// /}
  dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q 'install ok installed' ||
    fail "dependency $name is not an installed Debian package"
done

"$root/usr/bin/svltool" --help >"$scratch/help" || fail "svltool --help"
grep -q '^Usage: svltool' "$scratch/help" || fail "svltool --help printed no usage"
example=$root/usr/share/doc/scorvale/examples/worldcup2002.svl
"$root/usr/bin/svltool" standings "$example" | grep -q $'^ブラジル\tC\t1\t' || fail "svltool standings on the installed example"

if find "$root" -name 'libQt6*' -o -name '*.qm' | grep -q .; then fail "the package carries Qt files"; fi

if [ "$with_program" = 1 ]; then
  for dep in libqt6widgets6 fonts-ipafont-gothic qt6-translations-l10n; do
    [[ ",$depends," == *", $dep,"* || ",$depends," == *",$dep,"* ]] || fail "Depends lacks $dep: $depends"
  done
  program=$root/usr/bin/scorvale
  [ -x "$program" ] || fail "no $program"
  ldd "$program" >"$scratch/ldd" || fail "ldd $program"
  if grep -q 'not found' "$scratch/ldd"; then cat "$scratch/ldd" >&2; fail "scorvale misses libraries"; fi
  grep -q 'libQt6Widgets' "$scratch/ldd" || fail "scorvale does not link Qt Widgets"
  desktop=$root/usr/share/applications/scorvale.desktop
  desktop-file-validate "$desktop" || fail "desktop entry"
  grep -q '^Exec=scorvale$' "$desktop" || fail "desktop entry does not start scorvale"
  [ -f "$root/usr/share/icons/hicolor/scalable/apps/scorvale.svg" ] || fail "no scalable icon"
  for size in 16 32 48 256; do
    png=$root/usr/share/icons/hicolor/${size}x${size}/apps/scorvale.png
    [ -f "$png" ] || fail "no ${size}px icon"
    [ "$(od -An -tx1 -N4 "$png" | tr -d ' ')" = 89504e47 ] || fail "$png is not a PNG"
  done
fi
echo "package ok: $(basename "$deb")"
