#!/usr/bin/env bash
# Creates the build tree's Wine prefix once (needs DISPLAY: the prefix is booted under the
# same Xvfb as the tests, so no display-less wineserver is left behind).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
stamp=$WINEPREFIX/.dralvex-ready
[ -f "$stamp" ] && exit 0
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
echo "wine-prefix: creating $WINEPREFIX"
timeout 180 "$WINE" wineboot -i >/dev/null 2>&1 || true
# Without a window manager, destroying a visible top-level window stalls ~2 s: let Wine manage none.
timeout 60 "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
"$WINESERVER" -w
[ -d "$WINEPREFIX/drive_c/windows" ] || { echo "wine-prefix: wineboot failed" >&2; exit 1; }
touch "$stamp"
