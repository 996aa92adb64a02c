#!/bin/sh
# The run command's settings check, one row per value: the status it must end with, and
# for a refusal the one line naming the variable and its value.
# Usage: check-variables-test.sh scripts/check-variables.sh
set -u
check=$1
failures=0
while read -r status name value; do
  [ -n "$status" ] || continue
  [ "$value" = '""' ] && value=""
  said=$(env -u VELMORA_DESKTOP -u VELMORA_WALK_SECONDS -u QUARLO_SIM_CARD -u QUARLO_SIM_PANEL \
         -u QUARLO_SIM_FAIL -u QUARLO_SIM_NOISE -u VELMORA_WINDOWS "$name=$value" sh "$check" 2>&1)
  got=$?
  lines=$(printf '%s' "$said" | grep -c .)
  if [ "$got" != "$status" ]; then
    echo "$name=$value: expected status $status, got $got ($said)"
    failures=$((failures + 1))
  elif [ "$status" = 2 ] && { [ "$lines" != 1 ] || ! printf '%s' "$said" | grep -qF "$name=$value: expected"; }; then
    echo "$name=$value: expected one line naming it, got: $said"
    failures=$((failures + 1))
  fi
done <<'ROWS'
2 VELMORA_DESKTOP banana
2 VELMORA_DESKTOP 639x480
2 VELMORA_DESKTOP 1600x1201
0 VELMORA_DESKTOP 1600x1200
2 VELMORA_WALK_SECONDS 0
0 VELMORA_WALK_SECONDS 45
2 QUARLO_SIM_PANEL abc
2 QUARLO_SIM_PANEL 1,2,3
2 QUARLO_SIM_PANEL 1234567890,2,3,4
2 QUARLO_SIM_PANEL 100,0100,3,4
2 QUARLO_SIM_PANEL 1,2,-7,-7
0 QUARLO_SIM_PANEL -100,3900,3800,-50
2 QUARLO_SIM_CARD com1
0 QUARLO_SIM_CARD 2,760,3
0 QUARLO_SIM_CARD None
2 QUARLO_SIM_FAIL opne
2 QUARLO_SIM_FAIL probe,
0 QUARLO_SIM_FAIL Probe,read
2 VELMORA_WINDOWS win2000
2 VELMORA_WINDOWS Win98
0 VELMORA_WINDOWS nt win95
0 QUARLO_SIM_FAIL ""
2 QUARLO_SIM_NOISE -3
2 QUARLO_SIM_NOISE 1234567890
2 QUARLO_SIM_NOISE ""
0 QUARLO_SIM_NOISE 3
ROWS
[ "$failures" = 0 ] && echo "all rows as expected"
exit $((failures > 0))
