#!/bin/sh
# Refuses a malformed setting of scripts/run.sh or scripts/test.sh before anything is
# installed, built or started: one line naming the variable, its value and the form it
# takes, and exit 2. The forms of the
# QUARLO_SIM_* variables are the ones the simulated driver reads (sim/sim_device.cpp),
# which fails its load on any other.
set -u

# True when the whole value, one line, matches the extended regular expression; the
# driver takes its words in any case.
matches() {
  [ "$(printf '%s' "$2" | wc -l)" -eq 0 ] && printf '%s\n' "$2" | grep -Eiqx -e "$1"
}
refuse() {
  echo "$1=$2: expected $3" >&2
  exit 2
}
# Refuses the variable named $1, when it is set, unless its value matches $2; $3 its form.
check() {
  eval "set=\${$1+set} value=\${$1-}"
  [ -z "$set" ] || matches "$2" "$value" || refuse "$1" "$value" "$3"
}
number='-?[0-9]{1,9}'
fault='(open|probe|read)'

if [ -n "${VELMORA_DESKTOP+set}" ]; then
  form="WIDTHxHEIGHT from 640x480 to 1600x1200, e.g. 1024x768"
  matches '[0-9]{3,4}x[0-9]{3,4}' "$VELMORA_DESKTOP" || refuse VELMORA_DESKTOP "$VELMORA_DESKTOP" "$form"
  width=${VELMORA_DESKTOP%[xX]*} height=${VELMORA_DESKTOP#*[xX]}
  [ "$width" -ge 640 ] && [ "$width" -le 1600 ] && [ "$height" -ge 480 ] && [ "$height" -le 1200 ] ||
    refuse VELMORA_DESKTOP "$VELMORA_DESKTOP" "$form"
fi
check VELMORA_WALK_SECONDS '[1-9][0-9]{0,3}' "a number of seconds from 1 to 9999"
check QUARLO_SIM_CARD 'none|[0-9]{1,9},[0-9]{1,9},[0-9]{1,9}' \
  "PORT,BASE,IRQ (three whole numbers, e.g. 2,760,3) or none"
if [ -n "${QUARLO_SIM_PANEL+set}" ]; then
  form="XL,XR,YT,YB (four whole numbers, XL unlike XR and YT unlike YB, e.g. 150,3950,3900,180)"
  matches "$number,$number,$number,$number" "$QUARLO_SIM_PANEL" || refuse QUARLO_SIM_PANEL "$QUARLO_SIM_PANEL" "$form"
  IFS=, read -r xl xr yt yb <<END
$QUARLO_SIM_PANEL
END
  [ "$xl" -ne "$xr" ] && [ "$yt" -ne "$yb" ] || refuse QUARLO_SIM_PANEL "$QUARLO_SIM_PANEL" "$form"
fi
check QUARLO_SIM_NOISE '[0-9]{1,9}' "a whole number of raw units, 0 to 999999999, e.g. 3"
check QUARLO_SIM_FAIL "($fault(,$fault)*)?" "a comma list of open, probe and read, e.g. probe,read"
# The names are those of the prefix's Version and of the tests' labels, which are lower case.
version='(nt|win98|win95)'
[ -z "${VELMORA_WINDOWS:-}" ] || { [ "$(printf '%s' "$VELMORA_WINDOWS" | wc -l)" -eq 0 ] &&
  printf '%s\n' "$VELMORA_WINDOWS" | grep -Eqx -e " *$version( +$version)* *"; } ||
  refuse VELMORA_WINDOWS "$VELMORA_WINDOWS" 'nt, win98 or win95, or several of them with blanks between, e.g. "nt win95"'
exit 0
