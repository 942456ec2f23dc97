#!/usr/bin/env bash
# The members' page of the example (with its tournament's days) and of a pool
# made to break it, measured in headless Chromium and Firefox; the legacy page
# beside them must be caught. Usage:
#   check_phone_page.sh MAKE_PHONE_PAGE MAKE_SAMPLE_PAGE SOURCE_ROOT
set -uo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$3
"$1" example "$root/examples/worldcup2002.svl" "$root/tests/fixtures/openfootball/worldcup2002.json" \
  "$work/example.html" || { echo "FAIL: the example's page could not be written"; exit 1; }
"$1" ugly "$work/ugly.html" || { echo "FAIL: the ugly pool's page could not be written"; exit 1; }
"$2" "$work/legacy.html" || { echo "FAIL: the legacy sample page could not be written"; exit 1; }
exec python3 "$(dirname "$0")/check_phone_page.py" "$work/example.html" "$work/ugly.html" --legacy "$work/legacy.html"
