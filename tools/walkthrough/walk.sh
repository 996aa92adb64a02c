#!/bin/sh
# Inside Xvfb: walks the wizard in a Wine virtual desktop, turns its pictures into PNGs and
# stops the prefix's wineserver. Called by scripts/run.sh with the prefix in WINEPREFIX.
# Usage: walk.sh WALKER MEDIUM WORK_FOLDER PICTURE_FOLDER DESKTOP_SIZE STEP_SECONDS
set -u
scripts=$(dirname "$0")/../../scripts
. "$scripts/common.sh"
walker=$1 medium=$2 work=$3 pictures=$4 desktop=$5 seconds=$6

trap 'wineserver -k 2>/dev/null || true' EXIT
rm -rf "$work"
mkdir -p "$work"
starting_wine() {
  printf 'starting Wine'
}
watch_over starting_wine start_wine

# The walker gives up on each step by itself; this limit only catches a hung Wine.
timeout -k 5 600 wine explorer "/desktop=velmora,$desktop" "$(winepath -w "$walker")" \
  "$(winepath -w "$medium")" "$(winepath -w "$work")" "$seconds" </dev/null >"$work/wine.out" 2>&1 &
walking=$!

# The walk's log as it grows, each line after the time it came; while a step waits, a line
# at most 8 seconds apart says for what.
shown=0
show_log() {
  count=$(wc -l <"$work/walk.log" 2>/dev/null || echo 0)
  [ "$count" -gt "$shown" ] || return 1
  sed -n "$((shown + 1)),${count}p" "$work/walk.log" | while IFS= read -r line; do
    printf '%s %s\n' "$(elapsed)" "$line"
  done
  shown=$count
}
said=$(date +%s)
while kill -0 "$walking" 2>/dev/null; do
  sleep 1
  if show_log; then
    said=$(date +%s)
  elif [ $(($(date +%s) - said)) -ge 7 ]; then
    say_progress "the walk waits; its last step: $(tail -n 1 "$work/walk.log" 2>/dev/null | sed 's/^ *//')"
    said=$(date +%s)
  fi
done
wait "$walking"
wine_status=$?
show_log || [ -s "$work/walk.log" ] || echo "the walk left no log (wine ended with status $wine_status)"
# Pictures of an earlier run would pass for this one's.
mkdir -p "$pictures"
rm -f "$pictures"/[0-9][0-9]-*.png "$pictures/stopped.png"
status=0
for bitmap in "$work"/*.bmp; do
  [ -e "$bitmap" ] || continue
  convert "$bitmap" "$pictures/$(basename "$bitmap" .bmp).png" || status=1
done
echo "pictures: $pictures"
tail -n 1 "$work/walk.log" 2>/dev/null | grep -q '^walk complete' || status=1
exit $status
