#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a scratch folder and checks what
# it installs: the programs run from there, find every library, and nothing of
# Qt is carried along; the man pages, the completion, the menu entry, the game
# file type and the software-centre entry pass the desktop's own checkers.
# Usage: package_test.sh BUILD_DIR WITH_PROGRAM(0|1)
set -euo pipefail
build=$1
with_program=$2
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/scorvale-package.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# need TOOL PACKAGE : the checkers come from Debian (scripts/packages.sh lists them).
need() { command -v "$1" >/dev/null || fail "$1 is missing: install the Debian package $2"; }

# lint_man PAGE PATTERN... : the page renders without a warning from either
# formatter, and its text matches every pattern given.
lint_man() {
  local page=$1 word
  shift
  [ -f "$page" ] || fail "no $page"
  mandoc -Tlint -W warning "$page" >"$scratch/lint" 2>&1 || true
  [ ! -s "$scratch/lint" ] || { cat "$scratch/lint" >&2; fail "mandoc -Tlint on $page"; }
  LC_ALL=C.UTF-8 MANWIDTH=200 man --warnings=w -E UTF-8 -l "$page" >"$scratch/page" 2>"$scratch/lint" ||
    fail "man -l $page"
  [ ! -s "$scratch/lint" ] || { cat "$scratch/lint" >&2; fail "groff warns on $page"; }
  for word in "$@"; do
    grep -qEe "$word" "$scratch/page" || fail "$page does not document $word"
  done
}

need mandoc mandoc
need man man-db

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

# svltool's page covers what its help lists; the completion offers it too.
svltool=$root/usr/bin/svltool
commands=$("$svltool" --help | sed -n '/^Subcommands:/,$s/^  \([a-z-]*\) .*/\1/p')
words=()
for cmd in $commands; do
  words+=("^ +$cmd [A-Z]")  # the entry of the command in COMMANDS
  while read -r option; do words+=("$option"); done < <("$svltool" "$cmd" --help | grep -o -- '--[a-z][a-z-]*' | sort -u)
done
lint_man "$root/usr/share/man/man1/svltool.1.gz" "${words[@]}" 'EXIT STATUS'
completion=$root/usr/share/bash-completion/completions/svltool
[ -f "$completion" ] || fail "no bash completion for svltool"
bash "$here/completion_check.sh" "$completion" "$svltool" || fail "bash completion of svltool"

if [ "$with_program" = 1 ]; then
  for dep in libqt6widgets6 fonts-ipafont-gothic qt6-translations-l10n; do
    [[ ",$depends," == *", $dep,"* || ",$depends," == *",$dep,"* ]] || fail "Depends lacks $dep: $depends"
  done
  program=$root/usr/bin/scorvale
  [ -x "$program" ] || fail "no $program"
  ldd "$program" >"$scratch/ldd" || fail "ldd $program"
  if grep -q 'not found' "$scratch/ldd"; then cat "$scratch/ldd" >&2; fail "scorvale misses libraries"; fi
  grep -q 'libQt6Widgets' "$scratch/ldd" || fail "scorvale does not link Qt Widgets"
  need desktop-file-validate desktop-file-utils
  need xmllint libxml2-utils
  need update-mime-database shared-mime-info
  need gio libglib2.0-bin
  need appstreamcli appstream

  type=application/x-scorvale-game
  desktop=$root/usr/share/applications/scorvale.desktop
  desktop-file-validate "$desktop" || fail "desktop entry"
  grep -q '^Exec=scorvale %f$' "$desktop" || fail "desktop entry does not start scorvale with the file"
  grep -qx "MimeType=$type;" "$desktop" || fail "desktop entry does not open $type"
  for icon in apps/scorvale mimetypes/application-x-scorvale-game; do
    [ -f "$root/usr/share/icons/hicolor/scalable/$icon.svg" ] || fail "no scalable icon $icon"
    for size in 16 32 48 256; do
      png=$root/usr/share/icons/hicolor/${size}x${size}/$icon.png
      [ -f "$png" ] || fail "no ${size}px icon $icon"
      [ "$(od -An -tx1 -N4 "$png" | tr -d ' ')" = 89504e47 ] || fail "$png is not a PNG"
    done
  done
  lint_man "$root/usr/share/man/man1/scorvale.1.gz" 'scorvale \[FILE\]' 'svltool\(1\)'

  # The file type, in a mime database of its own: known by its name, and by
  # its first line when the name says nothing.
  mime_xml=$root/usr/share/mime/packages/scorvale-game.xml
  xmllint --noout "$mime_xml" || fail "mime type XML"
  mkdir -p "$scratch/xdg/mime/packages" "$scratch/home"
  cp "$mime_xml" "$scratch/xdg/mime/packages/"
  XDG_DATA_DIRS=$scratch/xdg update-mime-database "$scratch/xdg/mime" || fail "update-mime-database on the mime type XML"
  samples=$scratch/samples
  mkdir "$samples"
  cp "$example" "$samples/game.svl"
  cp "$example" "$samples/saved-game"
  printf '[G_NAME]\r\n' >"$samples/plain-game"
  printf 'hello\r\n' >"$samples/note"
  # gio ATTRIBUTE FILE : what a file manager reads from that database.
  gio_of() {
    XDG_DATA_HOME=$scratch/home XDG_DATA_DIRS=$scratch/xdg \
      gio info -a "standard::$1" "$2" | sed -n "s/^ *standard::$1: //p"
  }
  mime_of() { gio_of content-type "$1"; }
  for sample in game.svl saved-game plain-game; do
    [ "$(mime_of "$samples/$sample")" = "$type" ] || fail "$sample is not seen as $type: $(mime_of "$samples/$sample")"
  done
  [ "$(mime_of "$samples/note")" != "$type" ] || fail "any text file is seen as $type"
  [[ $(gio_of icon "$samples/game.svl") == application-x-scorvale-game,* ]] ||
    fail "a game file does not show the type's icon: $(gio_of icon "$samples/game.svl")"

  metainfo=$root/usr/share/metainfo/org.scorvale.scorvale.metainfo.xml
  [ -f "$metainfo" ] || fail "no AppStream metainfo"
  appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
  # The tree check also finds the desktop entry the metainfo launches.
  appstreamcli validate-tree --no-net "$root" || fail "appstreamcli validate-tree"
  grep -q "<mediatype>$type</mediatype>" "$metainfo" || fail "the metainfo does not provide $type"
fi
echo "package ok: $(basename "$deb")"
