#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}"
cmake --preset default -DBUILD_TESTING=OFF -DSCORVALE_BUILD_BENCH=OFF >/dev/null
cmake --build --preset default
if [ -x build/default/app/scorvale ]; then
  exec build/default/app/scorvale
else
  echo "Built the core libraries; the window program is not part of this build yet."
fi
