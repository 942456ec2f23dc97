#!/usr/bin/env bash
# Builds Scorvale for Windows on this Debian machine and checks it under Wine:
# MinGW-w64 against Qt built from Debian's own sources (once, into
# build/windows-deps; later runs reuse it), then scorvale.exe and svltool.exe,
# the zip and the installer in build/windows-dist/, then
# scripts/windows/test.sh. Not part of scripts/test.sh: the first run builds
# Qt, which takes most of an hour.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}"

echo "== Windows libraries (Qt, utf8proc, GoogleTest)"
bash scripts/windows/deps.sh

echo "== Windows build"
cmake --preset windows >/dev/null
cmake --build --preset windows

echo "== zip and installer"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
# The installer's version has four numbers.
version4=$version
while [ "$(tr -cd . <<<"$version4" | wc -c)" -lt 3 ]; do version4=$version4.0; done
dist=build/windows-dist
rm -rf "$dist"
cmake --install build/windows --prefix "$dist/Scorvale" --strip >/dev/null
(cd "$dist" && zip -qr9 "Scorvale-$version-windows-x64.zip" Scorvale)
makensis -V2 -DVERSION="$version4" -DDIST="$PWD/$dist/Scorvale" \
  -DOUTFILE="$PWD/$dist/Scorvale-$version-setup.exe" packaging/windows/scorvale.nsi
ls -l "$dist"/*.zip "$dist"/*.exe

bash scripts/windows/test.sh
