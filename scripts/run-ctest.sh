#!/bin/sh
# Inside Xvfb: starts the prefix's wineserver and warms it, runs ctest, stops the server.
# A service that the first test started would otherwise hold ctest's output open.
set -u
build=$1
shift
wineserver -p
wine cmd /c exit </dev/null >/dev/null 2>&1
cd "$build" && ctest --output-on-failure "$@"
status=$?
wineserver -k 2>/dev/null
exit $status
