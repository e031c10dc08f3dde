# Sourced by the scripts that run Windows programs: starts Xvfb, makes the build tree's
# Wine prefix when it is missing, and starts a persistent wineserver with Wine's services
# booted, so each program starts in milliseconds. Everything stops when the shell exits.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
start_xvfb
"$(dirname "${BASH_SOURCE[0]}")/wine-prefix.sh"
"$WINESERVER" -p
timeout 60 "$WINE" cmd /c exit >/dev/null 2>&1 || true
