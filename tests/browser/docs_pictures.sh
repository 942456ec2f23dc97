#!/usr/bin/env bash
# The pictures of the pages in docs/: the members' page of the example (with
# its tournament's days) and the legacy page, at phone and desktop width, in
# Chromium and Firefox. Run by hand after a build:
#   bash tests/browser/docs_pictures.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build/default}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/tests/make_phone_page" example "$root/examples/worldcup2002.svl" \
  "$root/tests/fixtures/openfootball/worldcup2002.json" "$work/example.html"
"$build/tools/svltool/svltool" report "$root/examples/worldcup2002.svl" -o "$work/legacy.html" --details
python3 "$root/tests/browser/page_screenshots.py" "$work" members-page="$work/example.html" legacy-page="$work/legacy.html"
for name in members-page-phone members-page-desktop legacy-page-phone legacy-page-desktop \
            members-page-phone-firefox members-page-desktop-firefox; do
  # Phones are taken at twice the pixels; the documentation needs no more than the page's own.
  convert "$work/$name.png" -resize '1280x>' -strip "$root/docs/$name.png"
done
