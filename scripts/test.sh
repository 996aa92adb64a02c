#!/bin/sh
# Installs what is missing, builds everything, and runs every test under Wine inside one
# Xvfb, in a fresh Wine prefix. Usage: scripts/test.sh [ctest arguments]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELMORA_BUILD:-$root/build}

"$root/scripts/build.sh"

export WINEPREFIX="$build/wine-test" WINEARCH=win32 WINEDEBUG=-all
"$root/scripts/wine-prefix.sh" "$WINEPREFIX"
exec xvfb-run -a -s "-screen 0 1024x768x24" "$root/scripts/run-ctest.sh" "$build" "$@"
