# Sourced by the scripts that run Windows programs: one Wine prefix per build tree,
# 64-bit Wine called directly, no Mono/Gecko installer dialogs, no Wine debug noise.
BUILD_DIR=${BUILD_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build}
export WINEPREFIX=${WINEPREFIX:-$BUILD_DIR/wineprefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64
