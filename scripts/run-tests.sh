#!/usr/bin/env bash
# The whole test run: install what is missing, build, prepare the Wine prefix, run ctest under Xvfb.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}
"$root/scripts/bootstrap.sh"
make -C "$root" build BUILD_DIR="$BUILD_DIR"
source "$root/scripts/wine-env.sh"
source "$root/scripts/xvfb.sh"
start_xvfb
"$root/scripts/wine-prefix.sh"
# A persistent wineserver with its services booted makes each test program start in milliseconds.
"$WINESERVER" -p
timeout 60 "$WINE" cmd /c exit >/dev/null 2>&1 || true
cd "$BUILD_DIR"
ctest --output-on-failure --timeout 300 "$@"
