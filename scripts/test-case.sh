#!/bin/sh
# CTest's emulator for the test programs: each case is a CTest test of its own, but the
# cases of a program share one Wine process. The first case asked for starts the program on
# all of its cases in the background; each case then waits for its own result in the
# program's log and reports it. Starting Wine costs more than most cases take.
# A case that ends the program, or that stays silent for 120 seconds, fails alone: the next
# case asked for starts the program again on the cases still without a result. The silence
# outlasts the backstop of the kit's and the dialog driver's waits (WAIT_BACKSTOP_MS in
# kit/waiting.h, 90 seconds), so a hung wait says what was on the screen before the program
# is stopped; a busy machine only stretches it, since each second counted is slept.
#   test-case.sh PROGRAM --gtest_list_tests [...]     lists the cases, under Wine
#   test-case.sh PROGRAM --gtest_filter=CASE [...] [--run=NAME --cases=FILTER]
# A run is the program on the cases of FILTER (default: all), named NAME (default: the
# program's); its output goes to VELMORA_TEST_LOGS/NAME.log.
set -u
program=$1
shift
# Run by hand (ctest without scripts/test.sh), the programs take the build's own test prefix
# rather than making or changing the user's default one.
if [ -z "${WINEPREFIX:-}" ]; then
  dir=$(dirname "$program")
  while [ "$dir" != / ] && [ "$dir" != . ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  [ -f "$dir/CMakeCache.txt" ] && export WINEPREFIX="$dir/wine-test"
fi
case " $* " in
  *" --gtest_list_tests "*) exec wine "$program" "$@" ;;
esac

case_name="" run=$(basename "$program" .exe) cases="*"
for arg in "$@"; do
  case $arg in
    --gtest_filter=*) case_name=${arg#--gtest_filter=} ;;
    --run=*) run=${arg#--run=} ;;
    --cases=*) cases=${arg#--cases=} ;;
  esac
done
quiet=120
logs=${VELMORA_TEST_LOGS:-${WINEPREFIX:-$HOME/.wine}-logs}
log=$logs/$run.log
pid_file=$logs/.$run.pid
end_file=$logs/.$run.end
stopped_file=$logs/.$run.stopped
# The log belongs to this CTest run: one left by an earlier run would pass for this one's.
stamp="cases run by ctest $PPID"

# Reads the log: `case` prints this case's lines, from its start to its result, and exits 0
# when it passed or was skipped, 1 when it failed, 2 while it has no result; `unfinished`
# prints the case that started last and has no result; `finished` the cases with one,
# joined by ":". A result line is the mark, the name, then " (" or ", where ... ms)"; the
# summary at a program's end repeats failures without either.
read_log() {
  awk -v want="$1" -v name="$case_name" '
    { sub(/\r$/, "") }
    function result(line,    mark, rest) {
      mark = substr(line, 1, 13)
      if (mark != "[       OK ] " && mark != "[  FAILED  ] " && mark != "[  SKIPPED ] ")
        return ""
      rest = substr(line, 14)
      split(rest, words, /[ ,]/)
      rest = substr(rest, length(words[1]) + 1)
      if (rest ~ /^ \(/ || rest ~ /^, where .* ms\)$/)
        return words[1]
      return ""
    }
    substr($0, 1, 13) == "[ RUN      ] " {
      running = substr($0, 14)
      if (running == name)
        lines = ""
    }
    running == name { lines = lines $0 "\n" }
    {
      done = result($0)
      if (done == "")
        next
      finished = finished (finished == "" ? "" : ":") done
      if (done == running)
        running = ""
      if (done == name && !found) {
        found = 1
        verdict = substr($0, 1, 13) == "[  FAILED  ] " ? 1 : 0
        if (lines == "")
          lines = $0 "\n"
        shown = lines
      }
    }
    END {
      if (want == "case") {
        printf "%s", shown
        exit found ? verdict : 2
      }
      print want == "unfinished" ? running : finished
    }' "$log"
}

# A run of another program that is still ending would share the prefix with this one; one
# that still has cases to run (CTest asked for some only) is stopped, its case left to a
# later start rather than failed.
stop_other_runs() {
  for other in "$logs"/.*.pid; do
    [ -e "$other" ] && [ "$other" != "$pid_file" ] || continue
    read -r other_pid <"$other"
    waited=0
    while [ ! -e "${other%.pid}.end" ] && [ $waited -lt 100 ]; do
      sleep 0.05
      waited=$((waited + 1))
    done
    [ -e "${other%.pid}.end" ] || { : >"${other%.pid}.stopped"; kill "$other_pid" 2>/dev/null; }
  done
}

# Runs the program on the run's cases that have no result yet, stops it after $quiet
# seconds without output, and ends the log of a case that it did not finish with a failure.
supervise() {
  positive=${cases%%-*}
  negative=""
  [ "$positive" = "$cases" ] || negative=${cases#*-}
  finished=$(read_log finished)
  [ -z "$finished" ] || negative=${negative:+$negative:}$finished
  wine "$program" "--gtest_filter=${positive:-*}${negative:+-$negative}" >>"$log" 2>&1 &
  program_pid=$!
  echo $program_pid >"$pid_file"
  (
    size="" silent=0
    while [ $silent -lt $quiet ]; do
      sleep 1
      now=$(wc -c <"$log")
      [ "$now" = "$size" ] && silent=$((silent + 1)) || silent=0
      size=$now
    done
    echo "no output for $quiet seconds: the program is stopped" >>"$log"
    kill $program_pid
  ) &
  watchdog=$!
  wait $program_pid
  status=$?
  kill $watchdog
  unfinished=$(read_log unfinished)
  [ -z "$unfinished" ] || [ -e "$stopped_file" ] ||
    printf 'the program ended with status %s during this case\n[  FAILED  ] %s (0 ms)\n' "$status" "$unfinished" >>"$log"
  echo $status >"$end_file"
}

start_run() {
  stop_other_runs
  rm -f "$pid_file" "$end_file" "$stopped_file"
  (supervise) </dev/null >/dev/null 2>&1 &
  while [ ! -s "$pid_file" ]; do sleep 0.05; done
}

mkdir -p "$logs"
if [ "$(head -n 1 "$log" 2>/dev/null)" != "$stamp" ]; then
  [ ! -s "$pid_file" ] || [ -e "$end_file" ] || kill "$(cat "$pid_file")" 2>/dev/null
  rm -f "$pid_file" "$end_file" "$stopped_file"
  echo "$stamp" >"$log"
fi

# The log is read again when it changed since the last reading (the mark is set before the
# reading, so nothing written during it is missed), and every half second besides: a write
# in the same clock tick as the mark would not look newer.
mark=$logs/.read-$$
trap 'rm -f "$mark"' EXIT
started=0 tries=0
while :; do
  if [ ! -e "$mark" ] || [ "$log" -nt "$mark" ] || [ $tries -ge 10 ] || [ -e "$end_file" ]; then
    : >"$mark"
    tries=0
    shown=$(read_log case)
    verdict=$?
    if [ $verdict -ne 2 ]; then
      printf '%s\n' "$shown"
      exit $verdict
    fi
    if [ -e "$end_file" ] || [ ! -e "$pid_file" ]; then
      if [ $started = 1 ]; then
        echo "the program ended without running $case_name; the last lines of $log:"
        tail -n 20 "$log"
        exit 1
      fi
      start_run
      started=1
      continue
    fi
  fi
  tries=$((tries + 1))
  sleep 0.05
done
