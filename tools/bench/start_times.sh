#!/bin/sh
# Inside Xvfb: times the starts of SETUP.EXE and PADMON.EXE of a medium against the bare
# dialog in the Wine prefix of WINEPREFIX, then a silent replay of REPLAY_MEDIUM's setup
# (the simulation medium: only its driver loads under Wine) against the same bare dialog, and
# stops the prefix's wineserver.
# Usage: start_times.sh TIMER BARE MEDIUM PAIRS OUTPUT_FOLDER REPLAY_MEDIUM
# Writes OUTPUT_FOLDER/SETUP.EXE.txt, PADMON.EXE.txt and replay.txt, start_timer's output for each.
set -u
scripts=$(dirname "$0")/../../scripts
. "$scripts/common.sh"
timer=$1 bare=$2 medium=$3 pairs=$4 output=$5 replay=$6

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

# Every replay meets a fresh machine: the quiet remover of the medium takes the installation
# away again, untimed. The answers keep the machine's own corners.
echo "  silent replay" >&2
printf '[Velmora]\r\nComPort=1\r\nComBase=1016\r\nComIrq=4\r\nMode=1\r\nRightButton=1\r\n' >"$output/replay.ini"
wine "$timer" "$pairs" "$(winepath -w "$bare")" "$(winepath -w "$replay/SETUP.EXE")" \
  "/SILENT /LOADINF=\"$(winepath -w "$output/replay.ini")\" /NORESTART /LOG=\"$(winepath -w "$output/replay.log")\"" \
  "\"$(winepath -w "$replay/REMOVER.EXE")\" /S" >"$output/replay.txt" 2>"$output/replay.err" </dev/null || status=1
exit $status
