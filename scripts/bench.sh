#!/bin/sh
# Builds what the benchmarks need and prints one table: the size of every program of both
# media, where each production program's bytes go (sections and largest functions), start-up
# and peak working set of SETUP.EXE and PADMON.EXE against a bare dialog under Wine, the
# alignment errors over a grid of screens and panels, ALIGNER's refusals and centre target
# over the same grid, and the wall time of the headless walk. Not a test: the timings follow
# the machine and its load.
# Usage: scripts/bench.sh
#   VELMORA_BUILD         build folder (default: build in the source tree)
#   VELMORA_BENCH_PAIRS   alternating starts of each program and the bare dialog (default: 31)
set -eu
scripts=$(dirname "$0")
. "$scripts/common.sh"
pairs=${VELMORA_BENCH_PAIRS:-31}
diskette=1457664   # data area of a 1.44 MB diskette: 2,847 clusters of 512 bytes

"$scripts/build.sh" media floppy walkthrough bare_dialog start_timer alignment_grid aligner_grid program_symbols
absolute_build
work=$build/bench
rm -rf "$work"
mkdir -p "$work"
tools=$build/tools/bench

thousands() {
  awk -v n="$1" 'BEGIN { s = ""; while (n >= 1000) { s = sprintf(",%03d", n % 1000) s; n = int(n / 1000) } print n s }'
}
# "met" when the value is at most the limit.
verdict() {
  awk -v v="$1" -v limit="$2" 'BEGIN { print (v <= limit) ? "met" : "MISSED" }'
}
row() {   # figure, goal, verdict, value
  printf '  %-26s %-10s %-7s %s\n' "$1" "$2" "$3" "$4"
}
# A row of a figure against its limit: met, or MISSED with why in words after the value.
judged_row() {   # figure, limit as shown, limit, value, value as shown, why when missed
  if [ "$(verdict "$4" "$3")" = met ]; then
    row "$1" "<= $2" met "$5"
  else
    row "$1" "<= $2" MISSED "$5: $6"
  fi
}
# What is being measured, while the table waits; on stderr, so the table can go to a file.
# While a measurement goes on, a line every 8 seconds says how far it is.
measuring() {
  measured="$*"
  say_progress "measuring $measured"
}
measuring_still() {
  printf 'measuring %s' "$measured"
}
status=0

# Everything is measured before anything is printed, so that the table comes out whole.
# Start-up and memory: one prefix, one Xvfb, the production medium as a user gets it.
prefix=$build/wine-bench
"$scripts/wine-prefix.sh" "$prefix"
load_before=$(cut -d' ' -f1 /proc/loadavg)
measuring "start-up and peak working set of SETUP.EXE and PADMON.EXE, and a silent replay, against BARE.EXE," \
  "$pairs pairs each"
# How far the pairs are: the runs each program's timer has logged so far.
pairs_so_far() {
  so_far=""
  for output in SETUP.EXE PADMON.EXE replay; do
    [ -e "$work/$output.txt" ] || continue
    so_far="$output: $(grep -c '^run' "$work/$output.txt") of $pairs pairs"
  done
  printf 'measuring start-ups, %s' "${so_far:-starting Wine}"
}
time_starts() {
  WINEPREFIX=$prefix xvfb-run -a -s "-screen 0 1024x768x24" "$root/tools/bench/start_times.sh" \
    "$tools/start_timer.exe" "$tools/BARE.EXE" "$build/media/production" "$pairs" "$work" \
    "$build/media/simulation"
}
watch_over pairs_so_far time_starts || status=1
load_after=$(cut -d' ' -f1 /proc/loadavg)

# Alignment: pure arithmetic, no window.
measuring "alignment and ALIGNER over the grid of screens and panels"
grids() {
  WINEPREFIX=$prefix wine "$tools/alignment_grid.exe" >"$work/alignment.txt" 2>"$work/alignment.err" </dev/null &&
    WINEPREFIX=$prefix wine "$tools/aligner_grid.exe" >"$work/aligner.txt" 2>"$work/aligner.err" </dev/null
}
watch_over measuring_still grids || status=1
WINEPREFIX=$prefix wineserver -k 2>/dev/null || true

# Whole run: the walk as a user starts it, with the build up to date and its prefix
# template already made, so that neither is in the time.
"$scripts/wine-prefix.sh" "$build/wine-run"
measuring "the headless walk"
walk_step() {
  printf 'measuring the headless walk: %s' "$(tail -n 1 "$work/walk.log" | sed 's/^[0-9]*:[0-9][0-9] *//')"
}
walk() {
  env -u DISPLAY VELMORA_BUILD="$build" "$scripts/run.sh" "$work/walk-pictures" >"$work/walk.log" 2>&1
}
walk_start=$(date +%s.%N)
walk_status=0
watch_over walk_step walk || walk_status=$?
walk_end=$(date +%s.%N)

echo "Velmora Setup benchmarks, $(date -u '+%Y-%m-%d %H:%M UTC'): $(nproc) cores, $(wine --version)"
row "figure" "goal" "result" "value"

echo "Size: bytes of each file in media/MEDIUM against its limit; a medium's total against its"
echo "  limit, its share of the $(thousands $diskette) data bytes of a 1.44 MB diskette, and the bytes"
echo "  its files take there (whole 512-byte clusters). The limits are the shipped programs'; the"
echo "  simulation medium is only shown beside them."
# The limits in force, in bytes: SETUP.EXE, each companion and the production medium.
limit_of() {
  case $1 in
    SETUP.EXE) echo 47104 ;;
    PADMON.EXE) echo 16896 ;;
    REMOVER.EXE) echo 17408 ;;
    ALIGNER.EXE) echo 29184 ;;
    TUNER.EXE) echo 12288 ;;
    medium) echo 122880 ;;
  esac
}
for medium in production simulation; do
  total=0
  clusters=0
  for file in SETUP.EXE PADMON.EXE REMOVER.EXE ALIGNER.EXE TUNER.EXE QUARLO.VXD; do
    [ -e "$build/media/$medium/$file" ] || continue
    size=$(stat -c %s "$build/media/$medium/$file")
    total=$((total + size))
    clusters=$((clusters + (size + 511) / 512))
    limit=$(limit_of "$file")
    if [ -n "$limit" ] && [ "$medium" = production ]; then
      judged_row "$medium $file" "$(thousands "$limit")" "$limit" "$size" "$(thousands "$size")" \
        "$(thousands $((size - limit))) bytes over the limit"
    else
      row "$medium $file" "" "" "$(thousands "$size")"
    fi
  done
  share=$(awk -v t="$total" -v d="$diskette" 'BEGIN { printf "%.2f", 100 * t / d }')
  value="$(thousands "$total") = $share %, $(thousands $((clusters * 512))) on disk"
  if [ "$medium" = production ]; then
    limit=$(limit_of medium)
    judged_row "$medium medium" "$(thousands "$limit")" "$limit" "$total" "$value" \
      "the files are $(thousands $((total - limit))) bytes over the limit"
  else
    row "$medium medium" "" "" "$value"
  fi
done

echo "Where the bytes go: each production program's sections as its file holds them, against the"
echo "  512-byte steps in which a section takes room, and its ten largest functions (from its twin"
echo "  linked alike with its symbols kept). A function weighs only in the programs that call it."
"$scripts/program-sizes.sh" "$build" | sed 's/^/  /'

echo "Start-up and peak working set against BARE.EXE (one empty dialog, the same flags and stub):"
echo "  $pairs pairs started alternately from one process in one Wine prefix inside Xvfb, the"
echo "  production medium; start-up = CreateProcess to the first visible top-level window"
echo "  (EnumWindows every 1 ms); peak working set = GetProcessMemoryInfo once the program is"
echo "  idle after that (WaitForInputIdle). Median ratio of the pairs (lowest - highest);"
echo "  medians of program and bare dialog. Load average $load_before before, $load_after after."
for program in SETUP.EXE PADMON.EXE; do
  for figure in startup memory; do
    line=$(grep "^$figure	" "$work/$program.txt" 2>/dev/null || true)
    if [ -z "$line" ]; then
      row "$program $figure" "" "MISSED" "not measured: $(head -n 1 "$work/$program.err" 2>/dev/null)"
      continue
    fi
    set -- $line
    if [ "$figure" = startup ]; then
      fastest=$(awk -F'\t' '$1 == "run" { if (p == "" || $3 < p) p = $3; if (b == "" || $4 < b) b = $4 }
                             END { printf "%s vs %s", p, b }' "$work/$program.txt")
      judged_row "$program start-up" 1.10 1.10 "$2" "$2 ($3 - $4); medians $5 vs $6 ms, fastest $fastest ms" \
        "in the middle pair it takes more than 1.10 times as long as the bare dialog to show its window"
    else
      judged_row "$program working set" 1.20 1.20 "$2" \
        "$2 ($3 - $4); medians $(thousands "${5%.*}") vs $(thousands "${6%.*}") KiB" \
        "in the middle pair its memory is more than 1.20 times the bare dialog's"
    fi
  done
done

echo "Silent replay: SETUP.EXE /SILENT /LOADINF /NORESTART of the simulation medium on a fresh machine,"
echo "  CreateProcess to its end (exit 0 or 3010), against BARE.EXE to its window, paired as above in"
echo "  the same prefix; the quiet remover makes the machine fresh again after each replay, untimed."
line=$(grep "^startup	" "$work/replay.txt" 2>/dev/null || true)
if [ -n "$line" ]; then
  set -- $line
  judged_row "silent replay" 1.5 1.5 "$2" "$2 ($3 - $4); medians $5 vs $6 ms" \
    "in the middle pair the replay takes more than 1.5 times as long as the bare dialog to show its window"
else
  row "silent replay" "" "MISSED" "not measured: $(head -n 1 "$work/replay.err" 2>/dev/null)"
fi

echo "Alignment: the calibration screen's targets and corner arithmetic with the simulated panel"
echo "  and driver, panels rising and falling on each axis at two offsets. Corner error: raw units"
echo "  between an extrapolated corner and the panel's edge, met when within the bound that the"
echo "  headless walk holds setup's corners to; mapping error: pixels between every touched pixel"
echo "  of each axis and where the driver puts it, beside one raw unit in pixels. Check: the worst"
echo "  error PADMON's check finds after setup's alignment, met within that bound in pixels (and"
echo "  the rounding of a touch, an edge and the mapping)."
printf '  %-12s %-6s %-12s %-12s %-11s %-11s %-7s %s\n' "screen" "panel" "corner raw" "walk bound" "check px" \
  "mapping px" "result" "raw unit px"
if [ -s "$work/alignment.txt" ]; then
  while IFS='	' read -r width height units per_x per_y corner_x corner_y bound_x bound_y mapping check check_bound; do
    result=met why=""
    [ "$check" -le "$check_bound" ] || why="; MISSED: the check finds a touch $check px off, beyond its bound"
    [ "$corner_x" -le "$bound_x" ] && [ "$corner_y" -le "$bound_y" ] ||
      why="; MISSED: a corner lies farther from the panel's edge than the walk's bound"
    [ -z "$why" ] || result=MISSED
    printf '  %-12s %-6s %-12s %-12s %-11s %-11s %-7s %s\n' "$width x $height" "$units" "$corner_x, $corner_y" \
      "$bound_x, $bound_y" "$check <= $check_bound" "$mapping" "$result" "$per_x, $per_y$why"
  done <"$work/alignment.txt"
else
  echo "  not measured: $(head -n 1 "$work/alignment.err")"
fi

echo "ALIGNER: the same screens and panels, and panels of 4,000 raw units across and 1,000 down or the"
echo "  other way round, with 0 and 3 raw units of jitter (QUARLO_SIM_NOISE) and with 0.3 % of the"
echo "  panel's larger span (at least 1). Slips:"
echo "  the first touch on one target 40 px off (8 directions, 4 targets, 8 panels), then the"
echo "  targets the screen asks for; goal: none reaches the corners. Clean: 25 rounds of touches on"
echo "  the targets; goal: none refused. Miss: the largest of a clean touch and the smallest of a"
echo "  slip, in pixels, either side of the 15-pixel bound. Centre and check: the fifth target's"
echo "  largest error after a clean round, and the worst PADMON's check then finds; goal: within"
echo "  the corner formula's bound (walk's corner bound, the jitter's share and rounding, in pixels)."
echo "  Where two reads of one point may lie more than 15 px apart (jitter and rounding), no single"
echo "  touch tells a slip from jitter: such a row says so instead of MISSED."
printf '  %-12s %-11s %-6s %-14s %-14s %-12s %-19s %s\n' "screen" "panel" "noise" "slips refused" \
  "clean refused" "miss px" "centre, check px" "result"
if [ -s "$work/aligner.txt" ]; then
  while IFS='	' read -r width height across down noise slips kept touches refused clean slip centre check bound \
      spread; do
    result=met
    [ "$centre" -le "$bound" ] && [ "$check" -le "$bound" ] ||
      result="MISSED: a touch on a target lands beyond the corner formula's bound"
    [ "$refused" = 0 ] || result="MISSED: $refused touches on their targets were refused"
    [ "$kept" = 0 ] || result="MISSED: $kept slipped touches reached the corners"
    [ "$result" = met ] || [ "$spread" -le 15 ] ||
      result="not judged: the jitter alone spreads a touch over $spread px, beyond the 15-pixel bound"
    units=$across
    [ "$across" = "$down" ] || units="$across x $down"
    printf '  %-12s %-11s %-6s %-14s %-14s %-12s %-19s %s\n' "$width x $height" "$units" "$noise" \
      "$((slips - kept))/$slips" "$refused/$touches" "$clean, $slip" "$centre, $check <= $bound" "$result"
  done <"$work/aligner.txt"
else
  echo "  not measured: $(head -n 1 "$work/aligner.err")"
fi

seconds=$(awk -v a="$walk_start" -v b="$walk_end" 'BEGIN { printf "%.1f", b - a }')
echo "Whole run: wall time of env -u DISPLAY scripts/run.sh (build up to date, prefix template made)"
if [ "$walk_status" = 0 ]; then
  row "headless walk" "" "" "$seconds s, $(sed -n 's/^[0-9]*:[0-9][0-9] \(walk .*\)/\1/p' "$work/walk.log" | tail -n 1)"
else
  row "headless walk" "" "MISSED" "$seconds s, stopped (status $walk_status, see bench/walk.log)"
  status=1
fi
echo "Raw figures: $work"
exit $status
