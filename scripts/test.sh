#!/bin/sh
# Installs what is missing, builds everything, and runs every test under Wine three times,
# as Windows NT, 98 and 95, each in a fresh Wine prefix inside an Xvfb of its own
# (scripts/run-ctest.sh). Usage: scripts/test.sh [ctest arguments]; VELMORA_WINDOWS=win98
# (or "nt win95", ...) runs only those.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELMORA_BUILD:-$root/build}

"$root/scripts/build.sh"

export WINEPREFIX="$build/wine-test" WINEARCH=win32 WINEDEBUG=-all
exec "$root/scripts/run-ctest.sh" "$build" "$@"
