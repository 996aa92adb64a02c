#!/bin/sh
# Installs what is missing, builds everything, and runs every test under Wine three times,
# as Windows NT, 98 and 95, each in a fresh Wine prefix inside an Xvfb of its own
# (scripts/run-ctest.sh). Usage: scripts/test.sh [ctest arguments]; VELMORA_WINDOWS=win98
# (or "nt win95", ...) runs only those.
set -eu
scripts=$(dirname "$0")
. "$scripts/common.sh"

echo "Building into $build (the compiler's output goes to build.log there)"
"$scripts/build.sh"
absolute_build
export WINEPREFIX="$build/wine-test"
exec "$scripts/run-ctest.sh" "$build" "$@"
