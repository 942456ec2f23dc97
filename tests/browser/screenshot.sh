#!/usr/bin/env bash
# Makes the picture of a rendered sample page kept in docs/.
# Usage: screenshot.sh MAKE_SAMPLE_PAGE OUT.png
set -euo pipefail
source "$(dirname "$0")/chromium_flags.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chromium_command "$work/profile"
"$1" "$work/page.html"
"${CHROMIUM[@]}" --screenshot="$(realpath -m "$2")" --window-size=1000,1400 "file://$work/page.html" 2>/dev/null
