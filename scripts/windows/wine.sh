#!/usr/bin/env bash
# Runs a Windows program of the build under Wine: the 64-bit loader (the
# `wine` wrapper asks for 32-bit Wine, which a 64-bit program does not need),
# a prefix of the build's own, the Wine logs off. CMake uses it to run the
# test programs.
set -euo pipefail
here="$(cd "$(dirname "$0")/../.." && pwd)"
export WINEPREFIX=${WINEPREFIX:-$here/build/windows-wine}
export WINEDEBUG=${WINEDEBUG:--all}
# Arguments and names pass from here as UTF-8. Wine's Windows then has a
# Western code page, where a program that used the ANSI calls would lose a
# Japanese file name: the programs here must not.
export LC_ALL=C.UTF-8
# The first run makes the prefix (about a minute); no dialog asks for Mono
# or Gecko, which nothing here needs.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# The DLLs a program of the build loads: MinGW's runtime and the Windows
# builds of the libraries (a packaged program carries its own copies).
winpath() { echo "Z:${1//\//\\}"; }
prefix=${SCORVALE_WINDOWS_PREFIX:-$here/build/windows-deps/prefix}
export WINEPATH="$(winpath /usr/lib/gcc/x86_64-w64-mingw32/12-posix);$(winpath /usr/x86_64-w64-mingw32/lib);$(winpath "$prefix/bin")"
exec /usr/lib/wine/wine64 "$@"
