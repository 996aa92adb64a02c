#!/bin/sh
# A fleet you can watch. Records an answer file by walking the wizard headless with
# /SAVEINF, makes N machines (fresh Wine prefixes from the run's template, default 10), lays
# some out as real fleets have them, replays the answers on all of them side by side, as many
# at once as there are cores, then removes the driver from each with REMOVER.EXE /S. Prints
# the machine, its layout, the replay's exit code, whether the machine ended as its layout
# predicts, the replay's seconds and the log's line that says why, then each remover's exit
# code, and one last line that counts what happened; exits 0 only when every machine ended
# as predicted. Everything a machine left stays in BUILD/fleet/machine-N (its prefix goes).
# While it records and replays, a line every 8 seconds says how far it is.
# Usage: scripts/fleet.sh [N]   (N from 1 to 99)
# Internally: fleet.sh --machine FLEET_FOLDER N, inside the fleet's Xvfb.
set -eu
scripts=$(dirname "$0")
. "$scripts/common.sh"

# A path of this machine as Wine's drive Z: names it.
windows_path() {
  printf 'Z:%s' "$1" | tr / '\\'
}

# Machine N's layout; beyond the eighth, fresh machines.
layout_of() {
  case $1 in
    2) layout="earlier installation" ;;
    3) layout="card on another port" ;;
    4) layout="port not in the map" ;;
    5) layout="already installed" ;;
    6) layout="setup already running" ;;
    7) layout='full path, in C:\windows' ;;
    8) layout='from \\SERVER\SHARE' ;;
    *) layout="fresh" ;;
  esac
  printf '%s\n' "$layout"
}

# What each layout ends with: the replay's exit code, then the quiet remover's (3010 where a
# driver entry was taken: the loaded driver runs until the next start). The reason is the
# log's own, from setup's one list of them, which the tests check.
expected_of() {
  case $1 in
    "card on another port") echo "5|0" ;;
    "port not in the map") echo "2|0" ;;
    "already installed") echo "0|3010" ;;
    "setup already running") echo "3|0" ;;
    *) echo "3010|3010" ;;
  esac
}

# Wine hands the shell the low byte of a Windows exit code; the programs' codes are 0 to 6
# and 3010, whose low byte is 194.
exit_code() {
  [ "$1" -eq 194 ] && echo 3010 || echo "$1"
}

# The log's line that says why it ended so: a refused answer, a step that failed, an
# installation found in place, the driver's copy (whose source shows where setup found its
# medium), else the exit line.
why_of() {
  for pattern in '^Refused: ' ': failed$' '^Already installed' '^Copy .*QUARLO\.VXD to .*: done$' '^Exit code '; do
    line=$(tr -d '\r' <"$1" 2>/dev/null | grep -m 1 -e "$pattern") && break
  done
  printf '%s' "${line:-(no log)}"
}

# The serial-port map as Windows 95/98 name it, replaced in place: it lies below a volatile
# key, and lasts as long as the prefix's wineserver.
serial_ports() {
  key='HKLM\HARDWARE\DEVICEMAP\SERIALCOMM'
  wine reg delete "$key" /va /f >/dev/null 2>&1 || true
  for port in "$@"; do
    wine reg add "$key" /v "$port" /d "$port" /f >/dev/null 2>&1
  done
}

if [ "${1:-}" = --machine ]; then
  fleet=$2 number=$3
  machine=$fleet/machine-$number
  medium=$build/media/simulation
  layout=$(layout_of "$number")
  export WINEPREFIX=$machine/prefix
  rm -rf "$machine"
  mkdir -p "$machine"
  # What the machine is doing, for the fleet's lines of how far it is; whole or not at all.
  stage() {
    echo "$1" >"$machine/stage.new" && mv "$machine/stage.new" "$machine/stage"
  }
  stage "being made"
  cp -a "$build/wine-run.template" "$WINEPREFIX"
  trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
  start_wine
  answers=$(windows_path "$fleet/answers.ini")
  log=$(windows_path "$machine/VELMORA.LOG")
  # Setup runs from the medium, as from the diskette, unless the layout starts it otherwise.
  setup=SETUP.EXE
  cd "$medium"
  if [ "$layout" = "port not in the map" ]; then
    serial_ports COM2
  else
    serial_ports COM1 COM2
  fi
  case $layout in
    "earlier installation")
      awk '{ if (!sub(/^RightButton=1/, "RightButton=0")) sub(/^RightButton=0/, "RightButton=1"); print }' \
        "$fleet/answers.ini" >"$machine/earlier.ini"
      wine SETUP.EXE /SILENT /LOADINF="$(windows_path "$machine/earlier.ini")" /NORESTART \
        /LOG="$(windows_path "$machine/EARLIER.LOG")" </dev/null >/dev/null 2>&1 || true ;;
    "already installed")
      wine SETUP.EXE /SILENT /LOADINF="$answers" /NORESTART /LOG="$(windows_path "$machine/EARLIER.LOG")" \
        </dev/null >/dev/null 2>&1 || true ;;
    "setup already running")
      # The wizard holds the installation from before its first page until it ends.
      wine SETUP.EXE </dev/null >/dev/null 2>&1 &
      wizard=$!
      waited=0
      until xdotool search --onlyvisible --name 'Velmora Setup Utility' >/dev/null 2>&1 || [ $waited -ge 120 ]; do
        sleep 0.5
        waited=$((waited + 1))
      done ;;
  esac
  case $layout in
    "full path"*)
      # As a login script starts it: by its full path, the Windows directory current.
      setup="$(windows_path "$medium")\\SETUP.EXE"
      cd "$WINEPREFIX/drive_c/windows" ;;
    "from "*)
      # A share as Wine names one: the prefix's UNC folder SERVER\SHARE, here a link to the
      # fleet's share, which holds the medium and the answers in VELMORA.
      mkdir -p "$WINEPREFIX/dosdevices/unc/SERVER"
      ln -s "$fleet/share" "$WINEPREFIX/dosdevices/unc/SERVER/SHARE"
      setup='\\SERVER\SHARE\VELMORA\SETUP.EXE'
      answers='\\SERVER\SHARE\VELMORA\FLEET.INI'
      cd "$WINEPREFIX/drive_c/windows" ;;
  esac
  [ "$layout" != "card on another port" ] || export QUARLO_SIM_CARD=2,760,3

  stage replaying
  began=$(date +%s.%N)
  status=0
  wine "$setup" /SILENT /LOADINF="$answers" /NORESTART /LOG="$log" /MIF=FLEET </dev/null >/dev/null 2>&1 || status=$?
  ended=$(date +%s.%N)
  code=$(exit_code $status)
  unset QUARLO_SIM_CARD
  if [ -n "${wizard:-}" ]; then
    kill "$wizard" 2>/dev/null || true
    wait "$wizard" 2>/dev/null || true
  fi

  # Control Panel's quiet removal: the command the entry names, else the medium's remover.
  stage removing
  cd "$medium"
  remover=$(wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora' \
              /v QuietUninstallString 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *"\(.*\)" \/S$/\1/p')
  status=0
  wine "${remover:-REMOVER.EXE}" /S /LOG="$(windows_path "$machine/REMOVER.LOG")" </dev/null >/dev/null 2>&1 ||
    status=$?
  removed=$(exit_code $status)

  last=$(tail -n 1 "$machine/VELMORA.LOG" 2>/dev/null | tr -d '\r')
  removal=$(tail -n 1 "$machine/REMOVER.LOG" 2>/dev/null | tr -d '\r')
  status_file=$WINEPREFIX/drive_c/windows/FLEET.MIF
  case $code in 0|3010) outcome=Success ;; *) outcome=Failed ;; esac
  IFS='|' read -r want_code want_removed <<EOF
$(expected_of "$layout")
EOF
  # Whether it ended as its layout predicts, and where not, what was expected.
  verdict=yes why=$(why_of "$machine/VELMORA.LOG")
  [ "$code" = "$want_code" ] || verdict="NO" why="$want_code expected; $why"
  [ "$verdict" != yes ] || [ "${last%%:*}" = "Exit code $want_code" ] ||
    verdict="NO" why="\"Exit code $want_code: ...\" expected last; $why"
  [ "$verdict" != yes ] || grep -q "VALUE = \"$outcome\"" "$status_file" 2>/dev/null ||
    verdict="NO" why="a status file saying $outcome expected; $why"
  [ "$verdict" != yes ] || [ "$removed" = "$want_removed" ] ||
    verdict="NO" why="the remover's $want_removed expected, not $removed; $why"
  cp "$status_file" "$machine/FLEET.MIF" 2>/dev/null || true
  printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$number" "$layout" "$code" \
    "$(awk "BEGIN { printf \"%.2f\", $ended - $began }")" "$why" "$removed" "$verdict" \
    "$removal" >"$machine/result"
  stage done
  exit 0
fi

count=${1:-10}
case $count in
  [1-9]|[1-9][0-9]) ;;
  *) echo "fleet.sh: N must be a whole number from 1 to 99, not \"$count\"" >&2; exit 2 ;;
esac
"$scripts/build.sh" media walkthrough
absolute_build
fleet=$build/fleet
rm -rf "$fleet"
mkdir -p "$fleet"

say_progress "recording the answers: the headless walk with /SAVEINF"
recording() {
  printf 'recording: %s' "$(tail -n 1 "$fleet/walk.out" 2>/dev/null | sed 's/^[0-9]*:[0-9][0-9] *//')"
}
record() {
  VELMORA_WALK_SWITCHES="/SAVEINF=$(windows_path "$fleet/answers.ini")" \
    env -u DISPLAY "$scripts/run.sh" "$fleet/pictures" >"$fleet/walk.out" 2>&1
}
if ! watch_over recording record || [ ! -s "$fleet/answers.ini" ]; then
  tail -n 5 "$fleet/walk.out"
  echo "fleet: no answer file was recorded; the walk's output is in $fleet/walk.out" >&2
  exit 1
fi
# The share of the layout that starts setup from one: the medium and the answers.
mkdir -p "$fleet/share/VELMORA"
cp "$build/media/simulation/"* "$fleet/share/VELMORA/"
cp "$fleet/answers.ini" "$fleet/share/VELMORA/FLEET.INI"

cores=$(nproc)
say_progress "replaying on $count machines, $cores at once"
# How far the machines are: how many are done, and what the others are doing.
machines() {
  done=0 busy=""
  for number in $(seq 1 "$count"); do
    stage=$(cat "$fleet/machine-$number/stage" 2>/dev/null || echo waiting)
    case $stage in
      done) done=$((done + 1)) ;;
      waiting) ;;
      *) busy="$busy, machine $number $stage" ;;
    esac
  done
  printf 'machines: %d of %d done%s' "$done" "$count" "$busy"
}
replay() {
  seq 1 "$count" | xvfb-run -a -s "-screen 0 1024x768x24" xargs -P "$cores" -n 1 "$0" --machine "$fleet"
}
watch_over machines replay || true

# Each row says by itself whether the machine ended as its layout predicts, and why.
printf '%-8s %-24s %5s  %-8s %7s  %s\n' machine layout exit expected seconds "why: the log's line"
installed=0 in_place=0 refused=0 unexpected=""
for number in $(seq 1 "$count"); do
  if ! IFS="$(printf '\t')" read -r _ layout code seconds why removed verdict _ <"$fleet/machine-$number/result"; then
    layout=$(layout_of "$number") code=- seconds=- why="(no result)" removed=- verdict=NO
  fi
  printf '%-8s %-24s %5s  %-8s %7s  %s\n' "$number" "$layout" "$code" "$verdict" "$seconds" "$why"
  if [ "$verdict" != yes ]; then
    unexpected="$unexpected $number"
  elif [ "$code" = 3010 ]; then
    installed=$((installed + 1))
  elif [ "$code" = 0 ]; then
    in_place=$((in_place + 1))
  else
    refused=$((refused + 1))
  fi
done
echo
printf '%-8s %5s  %s\n' machine exit "REMOVER.EXE /S: its log's last line"
for number in $(seq 1 "$count"); do
  removed=$(cut -f 6 "$fleet/machine-$number/result" 2>/dev/null || echo -)
  removal=$(cut -f 8 "$fleet/machine-$number/result" 2>/dev/null || true)
  printf '%-8s %5s  %s\n' "$number" "$removed" "$removal"
done
echo
summary="fleet: $count machines, $installed installed, $in_place already in place, $refused refused as expected"
if [ -z "$unexpected" ]; then
  echo "$summary"
  exit 0
fi
echo "$summary; not as their layout predicts:$unexpected (logs in $fleet)"
exit 1
