#!/usr/bin/env bash
# Runs one Windows program under Wine with a time-out; ctest's emulator for every test.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
exec timeout -k 5 "${DLV_WINE_TIMEOUT:-300}" "$WINE" "$@"
