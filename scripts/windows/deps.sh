#!/usr/bin/env bash
# Builds the Windows libraries Scorvale links, from Debian's own sources, once,
# into build/windows-deps/prefix: Qt (qtbase), utf8proc and GoogleTest; the
# header-only CLI11 and nlohmann-json are copied from Debian's packages.
#
# Each library is finished only when its stamp is in the prefix; the stamp
# holds the options it was built with. An interrupted run leaves no stamp, and
# the next run goes on in the same build tree (ninja rebuilds only what is
# missing) and installs again, so a half-built cache is never taken as done.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
deps=$root/build/windows-deps
prefix=${SCORVALE_WINDOWS_PREFIX:-$deps/prefix}
toolchain=$root/cmake/mingw-w64-x86_64.cmake
jobs=${SCORVALE_WINDOWS_JOBS:-2}
mkdir -p "$deps/src" "$prefix"

# Debian's sources of the packages this machine runs: a deb-src entry beside
# each deb one, same archive and suites.
ensure_deb_src() {
  local list=/etc/apt/sources.list.d/scorvale-deb-src.sources
  [ -f "$list" ] && return 0
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | "${sudo[@]}" tee "$list" >/dev/null
  "${sudo[@]}" apt-get update -qq
}

# source_dir PACKAGE: unpacks Debian's source package once (with its patches)
# and prints its folder; a PACKAGE that is a path is used as it is.
source_dir() {
  local pkg=$1 dir
  case $pkg in /*) echo "$pkg"; return 0 ;; esac
  dir=$(find "$deps/src" -maxdepth 1 -mindepth 1 -type d -name "$pkg-*" | head -n 1)
  if [ -z "$dir" ] || [ ! -f "$dir/.scorvale-unpacked" ]; then
    ensure_deb_src
    [ -n "$dir" ] && rm -rf "$dir"
    # A command substitution does not stop at a failure by itself.
    (cd "$deps/src" && apt-get source -qq "$pkg" >&2) || { echo "cannot fetch the sources of $pkg" >&2; return 1; }
    dir=$(find "$deps/src" -maxdepth 1 -mindepth 1 -type d -name "$pkg-*" | head -n 1)
    [ -n "$dir" ] || { echo "no sources of $pkg unpacked" >&2; return 1; }
    touch "$dir/.scorvale-unpacked"
  fi
  echo "$dir"
}

# build_cmake NAME SOURCE AFTER -- CMAKE-OPTIONS...: configures, builds and
# installs one CMake project into the prefix unless its stamp says it is there
# with the same options, the same toolchain and the same build of AFTER (a
# library it builds on, or "").
build_cmake() {
  local name=$1 pkg=$2 after=$3
  shift 4
  local stamp=$prefix/.stamp-$name
  local want
  want=$(printf '%s\n' "$pkg" "$@" "$(cat "$toolchain")" \
    "$( [ -z "$after" ] || cat "$prefix/.stamp-$after")" | sha256sum | cut -c1-16)
  if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$want" ]; then
    echo "-- $name: cached"
    return 0
  fi
  local src bld=$deps/build-$name
  src=$(source_dir "$pkg")
  # Built before with other options: start the tree afresh.
  if [ -f "$bld/.scorvale-options" ] && [ "$(cat "$bld/.scorvale-options")" != "$want" ]; then
    rm -rf "$bld"
  fi
  rm -f "$stamp"
  echo "-- $name: building from $src"
  mkdir -p "$bld"
  echo "$want" >"$bld/.scorvale-options"
  nice -n 10 cmake -S "$src" -B "$bld" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" "$@" >"$bld/configure.log"
  nice -n 10 cmake --build "$bld" -j "$jobs"
  cmake --install "$bld" >/dev/null
  echo "$want" >"$stamp"
}

# NFKC for the imports' name matching, as a static library.
build_cmake utf8proc utf8proc "" -- -DBUILD_SHARED_LIBS=OFF -DUTF8PROC_ENABLE_TESTING=OFF
# The test programs' framework, from the sources Debian ships.
build_cmake googletest /usr/src/googletest "" -- -DBUILD_SHARED_LIBS=OFF -Dgtest_disable_pthreads=OFF

# Header-only libraries as Debian packages them, their CMake files beside them
# (they find their headers relative to themselves).
mkdir -p "$prefix/include" "$prefix/share/cmake"
cp -r /usr/include/CLI /usr/include/nlohmann "$prefix/include/"
cp -r /usr/share/cmake/CLI11 /usr/share/cmake/nlohmann_json "$prefix/share/cmake/"

QT_HOST=(-DQT_HOST_PATH=/usr -DQt6HostInfo_DIR=/usr/lib/x86_64-linux-gnu/cmake/Qt6HostInfo)

# Core, Gui, Widgets and Test with the Windows platform plugin, DirectWrite and
# the Windows/Fusion styles; Qt's copies of zlib, pcre2, libpng, freetype and
# harfbuzz. Left out: the modules the program does not use, OpenGL (the
# widgets paint in software) and tablets (Debian's tarball drops wintab).
build_cmake qtbase qt6-base "" -- "${QT_HOST[@]}" \
  -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_libpng=OFF \
  -DFEATURE_system_libjpeg=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF \
  -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_md4c=OFF \
  -DFEATURE_icu=OFF -DFEATURE_tabletevent=OFF -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF \
  -DFEATURE_vulkan=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
# No qtsvg: the archive serves no sources of qt6-svg (its tarballs answer 404),
# so the Windows build carries its pictures as PNG (ui/CMakeLists.txt).
echo "-- Windows libraries ready in $prefix"
