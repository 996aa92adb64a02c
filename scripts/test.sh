#!/bin/sh
# Installs what is missing, builds everything, and runs every test under Wine three times,
# as Windows NT, 98 and 95, each in a fresh Wine prefix inside an Xvfb of its own
# (scripts/run-ctest.sh), and ends with the time it took. Usage: scripts/test.sh [ctest
# arguments]; VELMORA_WINDOWS=win98 (or "nt win95", ...) runs only those.
set -eu
scripts=$(dirname "$0")
. "$scripts/common.sh"

"$scripts/check-variables.sh"
"$scripts/install-packages.sh"
mkdir -p "$build"
absolute_build
export WINEPREFIX="$build/wine-test"
# The prefix template, when it has to be made, is made while the build goes on.
"$scripts/wine-prefix.sh" "$WINEPREFIX" --template-only &
template=$!
echo "Building into $build (the compiler's output goes to build.log there)"
"$scripts/build.sh"
wait $template
status=0
"$scripts/run-ctest.sh" "$build" "$@" || status=$?
echo "Total time of scripts/test.sh: $(elapsed)"
exit $status
