#!/bin/sh
# Inside Xvfb: times the starts of SETUP.EXE and PADMON.EXE of a medium against the bare
# dialog in the Wine prefix of WINEPREFIX, and stops the prefix's wineserver.
# Usage: start_times.sh TIMER BARE MEDIUM PAIRS OUTPUT_FOLDER
# Writes OUTPUT_FOLDER/SETUP.EXE.txt and PADMON.EXE.txt, start_timer's output for each.
set -u
scripts=$(dirname "$0")/../../scripts
. "$scripts/common.sh"
timer=$1 bare=$2 medium=$3 pairs=$4 output=$5

trap 'wineserver -k 2>/dev/null || true' EXIT
start_wine
# The panel monitor opens its page only on a machine where setup stored its settings; an
# empty key is enough, the rest being read as defaults.
wine reg add 'HKLM\Software\orrimac\velmora' /f >/dev/null 2>&1

status=0
for program in SETUP.EXE PADMON.EXE; do
  echo "  $program" >&2
  wine "$timer" "$pairs" "$(winepath -w "$bare")" "$(winepath -w "$medium/$program")" \
    >"$output/$program.txt" 2>"$output/$program.err" </dev/null || status=1
done
exit $status
