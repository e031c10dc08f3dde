#!/usr/bin/env bash
# Runs every benchmark program (build/bin/bench_*.exe) under Wine; each prints "<name>: <value>" lines.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}
source "$root/scripts/wine-session.sh"
shopt -s nullglob
benches=("$BUILD_DIR"/bin/bench_*.exe)
if [ ${#benches[@]} -eq 0 ]; then
  echo "bench: no benchmarks are built yet"
  exit 0
fi
for b in "${benches[@]}"; do
  timeout 600 "$WINE" "$b" 2>/dev/null | tr -d '\r'
done
