#!/bin/sh
# Runs the whole suite once for each Windows version a prefix can report: Wine's default
# (NT), Windows 98 and Windows 95. Each run has a fresh prefix, a wineserver and an Xvfb of
# its own, so the three go side by side; each prints its ctest output, summary line last,
# under the version's name. VELMORA_WINDOWS picks fewer ("win98"). A test that holds on some
# versions only carries one label naming the others, e.g. not-on-win98-win95
# (tests/CMakeLists.txt), and their runs leave it out.
# Usage: run-ctest.sh BUILD [ctest arguments], WINEPREFIX naming the prefix to start from.
# Internally: run-ctest.sh --version VERSION BUILD [ctest arguments], inside its Xvfb.
set -u
if [ "$1" = --version ]; then
  version=$2
  build=$3
  shift 3
  # The version is set, and the server warmed, before ctest starts: a service that the
  # first test started would otherwise hold ctest's output open. NT is Wine's default.
  wineserver -p
  if [ "$version" = nt ]; then
    wine cmd /c exit </dev/null >/dev/null 2>&1
  else
    wine reg add 'HKCU\Software\Wine' /v Version /d "$version" /f </dev/null >/dev/null 2>&1
  fi
  cd "$build" && ctest --output-on-failure -LE "^not-on-(.*-)?$version(-.*)?\$" "$@"
  status=$?
  wineserver -k 2>/dev/null
  exit $status
fi

root=$(cd "$(dirname "$0")/.." && pwd)
build=$1
shift
versions=${VELMORA_WINDOWS:-nt win98 win95}
title() {
  case $1 in
    nt) echo "Windows NT (Wine's default)" ;;
    win98) echo "Windows 98" ;;
    win95) echo "Windows 95" ;;
    *) return 1 ;;
  esac
}
for version in $versions; do
  title "$version" >/dev/null || { echo "unknown Windows version: $version" >&2; exit 2; }
done

# One fresh prefix, copied for each version before any program has run in it.
"$root/scripts/wine-prefix.sh" "$WINEPREFIX"
for version in $versions; do
  rm -rf "$WINEPREFIX-$version"
  cp -a "$WINEPREFIX" "$WINEPREFIX-$version"
done

# ctest has each test program list its cases the first time; done once here, so that the
# three runs do not write the same lists at the same time.
(cd "$build" && wineserver -p && ctest -N >/dev/null 2>&1; wineserver -k 2>/dev/null)

for version in $versions; do
  WINEPREFIX=$WINEPREFIX-$version xvfb-run -a -s "-screen 0 1024x768x24" \
    "$0" --version "$version" "$build" "$@" >"$build/ctest-$version.log" 2>&1 &
  eval "pid_$version=\$!"
  # xvfb-run -a picks the first free display; a moment apart, each finds its own.
  sleep 2
done
status=0
for version in $versions; do
  eval "wait \$pid_$version" || status=1
  echo "=== $(title "$version") ==="
  cat "$build/ctest-$version.log"
done
exit $status
