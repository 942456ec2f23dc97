#!/usr/bin/env bash
# Runs a Windows program of the build under Wine: the 64-bit loader (the
# `wine` wrapper asks for 32-bit Wine, which a 64-bit program does not need),
# a prefix of the build's own, the Wine logs off. CMake uses it to run the
# test programs.
set -euo pipefail
here="$(cd "$(dirname "$0")/../.." && pwd)"
export WINEPREFIX=${WINEPREFIX:-$here/build/windows-wine}
export WINEDEBUG=${WINEDEBUG:--all}
# The first run makes the prefix (about a minute); no dialog asks for Mono
# or Gecko, which nothing here needs.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec /usr/lib/wine/wine64 "$@"
