#!/bin/sh
# Installs what building and running setup needs on Debian 12, when it is missing.
set -eu
scripts=$(dirname "$0")
. "$scripts/common.sh"
packages="cmake make g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-i686-dev googletest
wine wine32:i386 xvfb xauth mtools imagemagick xdotool fonts-wine"

missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed' || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

as_root=""
[ "$(id -u)" = 0 ] || as_root="sudo"

# Runs an apt-get command as root; while another package manager holds apt's or dpkg's
# lock, it tries again every 5 seconds, for 10 minutes at most, and says so each time.
apt_get() {
  waited=0
  until output=$(DEBIAN_FRONTEND=noninteractive $as_root apt-get "$@" 2>&1); do
    if ! printf '%s\n' "$output" | grep -q -e 'Could not get lock' -e 'Unable to acquire' -e 'Unable to lock'; then
      printf '%s\n' "$output" >&2
      return 1
    fi
    if [ "$waited" -ge 600 ]; then
      echo "another package manager still holds the lock after 10 minutes; try again when it has finished" >&2
      return 1
    fi
    say_progress "waiting for another package manager to finish ($waited of at most 600 seconds)"
    sleep 5
    waited=$((waited + 5))
  done
}

echo "Installing:$missing"
dpkg --print-foreign-architectures | grep -qx i386 || $as_root dpkg --add-architecture i386
installing() {
  printf 'installing:%s' "$missing"
}
watch_over installing apt_get update -qq
watch_over installing apt_get install -y -qq $missing
