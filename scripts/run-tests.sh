#!/usr/bin/env bash
# The whole test run: install what is missing, build, prepare the Wine prefix, run ctest under Xvfb.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}
"$root/scripts/bootstrap.sh"
make -C "$root" build BUILD_DIR="$BUILD_DIR"
# The 32-bit configuration cannot run here, but it must keep compiling.
make -C "$root" build32
source "$root/scripts/wine-session.sh"
cd "$BUILD_DIR"
ctest --output-on-failure --timeout 300 "$@"
