# Debian packages the project needs, and a function that installs the missing
# ones. Sourced by start.sh and test.sh; later features only add names here.

# To build and run the program.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config libutf8proc-dev qt6-base-dev qt6-translations-l10n fonts-ipafont-gothic libqt6svg6 qt6-svg-dev libcli11-dev nlohmann-json3-dev librsvg2-bin)
# Further packages for the tests and benchmarks.
TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev chromium firefox-esr xvfb xdotool imagemagick python3 desktop-file-utils
               libxml2-utils shared-mime-info libglib2.0-bin appstream bash-completion man-db mandoc)

# Further packages for the Windows build (scripts/windows.sh): MinGW-w64, Wine
# to run its tests, NSIS for the installer, dpkg-dev for Debian's sources of
# Qt and utf8proc, googletest's sources.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix mingw-w64-tools wine64 nsis dpkg-dev zip unzip googletest
                  xvfb xdotool imagemagick)

# ensure_packages NAME... : apt-get install only what dpkg does not list as installed.
ensure_packages() {
  local missing=() pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
