#!/bin/sh
# Builds what the benchmarks need and prints one table: the size of every program of both
# media, start-up and peak working set of SETUP.EXE and PADMON.EXE against a bare dialog
# under Wine, the alignment errors over a grid of screens and panels, ALIGNER's refusals and
# centre target over the same grid, and the wall time of the headless walk. Not a test: the
# timings follow the machine and its load.
# Usage: scripts/bench.sh
#   VELMORA_BUILD         build folder (default: build in the source tree)
#   VELMORA_BENCH_PAIRS   alternating starts of each program and the bare dialog (default: 31)
set -eu
scripts=$(dirname "$0")
. "$scripts/common.sh"
pairs=${VELMORA_BENCH_PAIRS:-31}
diskette=1457664   # data area of a 1.44 MB diskette: 2,847 clusters of 512 bytes

"$scripts/build.sh" media floppy walkthrough bare_dialog start_timer alignment_grid aligner_grid
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
# What is being measured, while the table waits; on stderr, so the table can go to a file.
started=$(date +%s)
measuring() {
  echo "measuring ($(($(date +%s) - started)) s): $*" >&2
}
status=0

# Everything is measured before anything is printed, so that the table comes out whole.
# Start-up and memory: one prefix, one Xvfb, the production medium as a user gets it.
prefix=$build/wine-bench
"$scripts/wine-prefix.sh" "$prefix"
load_before=$(cut -d' ' -f1 /proc/loadavg)
measuring "start-up and peak working set of SETUP.EXE and PADMON.EXE, and a silent replay, against BARE.EXE," \
  "$pairs pairs each"
WINEPREFIX=$prefix xvfb-run -a -s "-screen 0 1024x768x24" "$root/tools/bench/start_times.sh" \
  "$tools/start_timer.exe" "$tools/BARE.EXE" "$build/media/production" "$pairs" "$work" \
  "$build/media/simulation" || status=1
load_after=$(cut -d' ' -f1 /proc/loadavg)

# Alignment: pure arithmetic, no window.
measuring "alignment and ALIGNER over the grid of screens and panels"
WINEPREFIX=$prefix wine "$tools/alignment_grid.exe" >"$work/alignment.txt" 2>"$work/alignment.err" </dev/null ||
  status=1
WINEPREFIX=$prefix wine "$tools/aligner_grid.exe" >"$work/aligner.txt" 2>"$work/aligner.err" </dev/null || status=1
WINEPREFIX=$prefix wineserver -k 2>/dev/null || true

# Whole run: the walk as a user starts it, with the build up to date and its prefix
# template already made, so that neither is in the time.
"$scripts/wine-prefix.sh" "$build/wine-run"
measuring "the headless walk"
walk_start=$(date +%s.%N)
walk_status=0
env -u DISPLAY VELMORA_BUILD="$build" "$scripts/run.sh" "$work/walk-pictures" >"$work/walk.log" 2>&1 ||
  walk_status=$?
walk_end=$(date +%s.%N)

echo "Velmora Setup benchmarks, $(date -u '+%Y-%m-%d %H:%M UTC'): $(nproc) cores, $(wine --version)"
row "figure" "goal" "result" "value"

echo "Size: bytes of each file in media/MEDIUM; a medium's share of the $(thousands $diskette) data bytes"
echo "  of a 1.44 MB diskette, and the bytes its files take there (whole 512-byte clusters)"
for medium in production simulation; do
  total=0
  clusters=0
  for file in SETUP.EXE PADMON.EXE REMOVER.EXE ALIGNER.EXE TUNER.EXE QUARLO.VXD; do
    [ -e "$build/media/$medium/$file" ] || continue
    size=$(stat -c %s "$build/media/$medium/$file")
    total=$((total + size))
    clusters=$((clusters + (size + 511) / 512))
    # The goals are the shipped programs'; the simulation medium is only shown beside them.
    if [ "$file" = SETUP.EXE ] && [ "$medium" = production ]; then
      row "$medium $file" "<= 40,960" "$(verdict "$size" 40960)" "$(thousands "$size")"
    else
      row "$medium $file" "" "" "$(thousands "$size")"
    fi
  done
  share=$(awk -v t="$total" -v d="$diskette" 'BEGIN { printf "%.2f", 100 * t / d }')
  value="$(thousands "$total") = $share %, $(thousands $((clusters * 512))) on disk"
  if [ "$medium" = production ]; then
    row "$medium medium" "<= 11 %" "$(verdict "$share" 11)" "$value"
  else
    row "$medium medium" "" "" "$value"
  fi
done

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
      row "$program start-up" "<= 1.10" "$(verdict "$2" 1.10)" \
          "$2 ($3 - $4); medians $5 vs $6 ms, fastest $fastest ms"
    else
      row "$program working set" "<= 1.20" "$(verdict "$2" 1.20)" \
          "$2 ($3 - $4); medians $(thousands "${5%.*}") vs $(thousands "${6%.*}") KiB"
    fi
  done
done

echo "Silent replay: SETUP.EXE /SILENT /LOADINF /NORESTART of the simulation medium on a fresh machine,"
echo "  CreateProcess to its end (exit 0 or 3010), against BARE.EXE to its window, paired as above in"
echo "  the same prefix; the quiet remover makes the machine fresh again after each replay, untimed."
line=$(grep "^startup	" "$work/replay.txt" 2>/dev/null || true)
if [ -n "$line" ]; then
  set -- $line
  row "silent replay" "<= 1.5" "$(verdict "$2" 1.5)" "$2 ($3 - $4); medians $5 vs $6 ms"
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
    result=met
    [ "$corner_x" -le "$bound_x" ] && [ "$corner_y" -le "$bound_y" ] && [ "$check" -le "$check_bound" ] ||
      result=MISSED
    printf '  %-12s %-6s %-12s %-12s %-11s %-11s %-7s %s\n' "$width x $height" "$units" "$corner_x, $corner_y" \
      "$bound_x, $bound_y" "$check <= $check_bound" "$mapping" "$result" "$per_x, $per_y"
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
    [ "$kept" = 0 ] && [ "$refused" = 0 ] && [ "$centre" -le "$bound" ] && [ "$check" -le "$bound" ] ||
      result=MISSED
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
  row "headless walk" "" "" "$seconds s, $(grep '^walk ' "$work/walk.log" | tail -n 1)"
else
  row "headless walk" "" "MISSED" "$seconds s, stopped (status $walk_status, see bench/walk.log)"
  status=1
fi
echo "Raw figures: $work"
exit $status
