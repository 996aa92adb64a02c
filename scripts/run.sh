#!/bin/sh
# Installs what is missing, builds, and starts the setup wizard of the simulation medium
# under Wine, from the medium folder as a user runs it from the diskette, in a Windows
# desktop of 800 x 600. With a display the user walks it; without one it is walked headless,
# a picture of every page is saved and the result is judged. Usage: scripts/run.sh [PICTURE_FOLDER]
#   VELMORA_BUILD          build folder (default: build in the source tree)
#   VELMORA_DESKTOP        size of the Windows desktop, 640x480 to 1600x1200 (default: 800x600)
#   VELMORA_WALK_SECONDS   headless: how long to wait for each step (default: 20)
#   QUARLO_SIM_*           the simulated driver's settings, passed through (see README.md)
# A malformed value of any of these but the first ends it at once with status 2.
set -eu
scripts=$(dirname "$0")
. "$scripts/common.sh"
pictures=${1:-screenshots}
"$scripts/check-variables.sh"
desktop=$(printf '%s' "${VELMORA_DESKTOP:-800x600}" | tr X x)

# The build is quiet, and a first one takes a while: say so rather than seem to hang.
if [ -f "$build/Makefile" ]; then
  echo "Building what changed into $build (the compiler's output goes to build.log there)"
else
  echo "Building the media and the walk into $build for the first time: about 40 seconds" \
       "on 2 cores, longer on a busy machine (the compiler's output goes to build.log there)"
fi
"$scripts/build.sh" media floppy walkthrough
absolute_build

# A fresh copy of the prefix template for every run, so setup always meets a machine on
# which it never ran. A Wine prefix has no Windows 9x Start menu, so setup puts the
# companion programs into the Programs folder that the prefix's shell names.
export WINEPREFIX="$build/wine-run"
"$scripts/wine-prefix.sh" "$WINEPREFIX"

walker=$build/tools/walkthrough/walkthrough.exe
medium=$build/media/simulation
if [ -n "${DISPLAY:-}" ]; then
  trap 'wineserver -k 2>/dev/null || true' EXIT
  wineserver -p
  wine explorer "/desktop=velmora,$desktop" "$(winepath -w "$walker")" "$(winepath -w "$medium")"
  exit 0
fi

mkdir -p "$pictures"
pictures=$(cd "$pictures" && pwd)
say_progress "starting Wine in an X server of $desktop for the walk"
# The X screen is the desktop's size: a desktop larger than the screen would be drawn
# and touched partly off it.
exec xvfb-run -a -s "-screen 0 ${desktop}x24" "$root/tools/walkthrough/walk.sh" \
     "$walker" "$medium" "$build/walkthrough" "$pictures" "$desktop" "${VELMORA_WALK_SECONDS:-20}"
