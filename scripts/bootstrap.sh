#!/usr/bin/env bash
# Installs the cross toolchains, Wine and Xvfb when they are missing. Safe to run again.
set -euo pipefail

need=()
command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-x86-64-posix)
command -v x86_64-w64-mingw32-windres >/dev/null || need+=(binutils-mingw-w64-x86-64)
command -v i686-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-i686-posix)
command -v i686-w64-mingw32-windres >/dev/null || need+=(binutils-mingw-w64-i686)
command -v x86_64-w64-mingw32-widl >/dev/null || need+=(mingw-w64-tools)
[ -d /usr/include/wine/wine/windows ] || need+=(libwine-dev)
command -v cmake >/dev/null || need+=(cmake)
[ -d /usr/src/googletest ] || need+=(googletest)
command -v Xvfb >/dev/null || need+=(xvfb xauth)
command -v import >/dev/null || need+=(imagemagick)
command -v python3 >/dev/null || need+=(python3)
command -v openssl >/dev/null || need+=(openssl)
[ -x /usr/lib/wine/wine64 ] || need+=(wine wine64)

if [ ${#need[@]} -eq 0 ]; then
  exit 0
fi

SUDO=
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
echo "bootstrap: installing ${need[*]}"
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
