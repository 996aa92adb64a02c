#!/bin/sh
# Installs what building and running setup needs on Debian 12, when it is missing.
set -eu
packages="cmake make g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-i686-dev googletest
wine wine32:i386 xvfb xauth mtools imagemagick xdotool fonts-wine"

missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed' || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

as_root=""
[ "$(id -u)" = 0 ] || as_root="sudo"
echo "Installing:$missing"
$as_root dpkg --add-architecture i386
$as_root apt-get update -qq
DEBIAN_FRONTEND=noninteractive $as_root apt-get install -y -qq $missing >/dev/null
