#!/bin/sh
# Runs the whole suite once for each Windows version a prefix can report: Wine's default
# (NT), Windows 98 and Windows 95. Each run has a fresh prefix, a wineserver and an Xvfb of
# its own, so the three go side by side. While they go, a line at most 8 seconds apart says
# how far each is, after the time since scripts/test.sh began; then come each run's summary, ctest's closing lines, and last the failed tests
# with their output. Each run's whole output stays in BUILD/test-logs/VERSION: ctest.log,
# and one log per test program (scripts/test-case.sh). VELMORA_WINDOWS picks fewer
# ("win98"; scripts/test.sh has refused any other name before the build). A test that holds on some versions only carries one label naming the others,
# e.g. not-on-win98-win95 (tests/CMakeLists.txt), and their runs leave it out.
# Usage: run-ctest.sh BUILD [ctest arguments], WINEPREFIX naming the prefix to start from.
# Internally: run-ctest.sh --version VERSION BUILD [ctest arguments], inside its Xvfb.
set -u
scripts=$(dirname "$0")
. "$scripts/common.sh"

if [ "$1" = --version ]; then
  version=$2
  build=$3
  shift 3
  # The version is set, and the server warmed, before ctest starts. NT is Wine's default.
  if [ "$version" = nt ]; then
    start_wine
  else
    start_wine reg add 'HKCU\Software\Wine' /v Version /d "$version" /f
  fi
  cd "$build" && ctest --output-on-failure -LE "^not-on-(.*-)?$version(-.*)?\$" "$@"
  status=$?
  wineserver -k 2>/dev/null
  exit $status
fi

build=$1
shift
versions=${VELMORA_WINDOWS:-nt win98 win95}
title() {
  case $1 in
    nt) echo "Windows NT (Wine's default)" ;;
    win98) echo "Windows 98" ;;
    win95) echo "Windows 95" ;;
  esac
}

# One fresh prefix, copied for each version before any program has run in it.
"$scripts/wine-prefix.sh" "$WINEPREFIX"
say_progress "copying a fresh prefix for each run"
for version in $versions; do
  rm -rf "$WINEPREFIX-$version" "$build/test-logs/$version"
  cp -a "$WINEPREFIX" "$WINEPREFIX-$version"
  mkdir -p "$build/test-logs/$version"
done

# ctest has each test program list its cases the first time after it was built; done once
# here, so that the three runs do not write the same lists at the same time.
list_cases() {
  (cd "$build" && start_wine && ctest -N >/dev/null 2>&1; wineserver -k 2>/dev/null)
}
listing() {
  printf 'the test programs list their cases'
}
say_progress "$(listing)"
watch_over listing list_cases

names="" folders=""
for version in $versions; do
  names="$names${names:+, }$(title "$version")"
  folders="$folders${folders:+, }$version"
done
echo "Testing as $names; the whole output of each goes to $build/test-logs/: $folders"
previous=""
for version in $versions; do
  logs=$build/test-logs/$version
  # xvfb-run -a picks the first free display; a moment apart, each finds its own.
  [ -z "$previous" ] || sleep 2
  previous=$version
  (
    VELMORA_TEST_LOGS=$logs WINEPREFIX=$WINEPREFIX-$version xvfb-run -a -s "-screen 0 1024x768x24" \
      "$0" --version "$version" "$build" "$@" >"$logs/ctest.log" 2>&1
    echo $? >"$logs/.status"
  ) &
done

# How far a run is, from ctest's lines "3/193 Test #3: Name ....   Passed    0.31 sec".
progress() {
  awk '/^ *[0-9]+\/[0-9]+ Test +#[0-9]+: / {
         split($1, count, "/")
         if ($0 !~ /(Passed|Skipped) +[0-9.]+ sec$/)
           failed++
       }
       END { if (count[2]) printf "%d/%d tests, %d failed", count[1], count[2], failed
             else printf "starting" }' "$1"
}
while :; do
  running=0
  line=""
  for version in $versions; do
    logs=$build/test-logs/$version
    [ -e "$logs/.status" ] || running=1
    line="$line${line:+; }$(title "$version" | cut -d' ' -f1,2) $(progress "$logs/ctest.log")"
  done
  [ $running = 1 ] || break
  printf '%s %s\n' "$(elapsed)" "$line"
  # At most 8 seconds apart: reading the logs takes a moment on a busy machine.
  waited=0
  while [ $waited -lt 14 ]; do
    sleep 0.5
    waited=$((waited + 1))
    for version in $versions; do
      [ -e "$build/test-logs/$version/.status" ] || continue 2
    done
    break
  done
done

status=0
for version in $versions; do
  logs=$build/test-logs/$version
  [ "$(cat "$logs/.status")" = 0 ] || status=1
  echo "=== $(title "$version"): $(progress "$logs/ctest.log"); full output in $logs ==="
  # ctest's closing lines; a run that ended before its summary shows its last lines.
  if grep -q '^[0-9]*% tests passed' "$logs/ctest.log"; then
    sed -n '/^[0-9]*% tests passed/,$p' "$logs/ctest.log"
  else
    tail -n 20 "$logs/ctest.log"
  fi
done
for version in $versions; do
  logs=$build/test-logs/$version
  grep -q '^[0-9]*% tests passed, 0 tests failed' "$logs/ctest.log" && continue
  echo "=== $(title "$version"): the failed tests and their output ==="
  # From each test that did not pass, to the next test's start or the summary.
  awk '/^ *[0-9]+\/[0-9]+ Test +#[0-9]+: / { shown = $0 !~ /(Passed|Skipped) +[0-9.]+ sec$/ }
       /^ +Start +[0-9]+: / || /^[0-9]+% tests passed/ { shown = 0 }
       shown' "$logs/ctest.log"
done
exit $status
