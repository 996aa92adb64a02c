#!/bin/sh
# Installs what is missing, builds, and starts the setup wizard of the simulation medium
# under Wine, from the medium folder as a user runs it from the diskette, in an 800 x 600
# Windows desktop. With a display the user walks it; without one it is walked headless and
# a picture of every page is saved. Usage: scripts/run.sh [PICTURE_FOLDER]
#   VELMORA_BUILD          build folder (default: build in the source tree)
#   VELMORA_DESKTOP        size of the Windows desktop (default: 800x600)
#   VELMORA_WALK_SECONDS   headless: how long to wait for each step (default: 20)
#   QUARLO_SIM_*           the simulated driver's settings, passed through (see README.md)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELMORA_BUILD:-$root/build}
pictures=${1:-screenshots}
desktop=${VELMORA_DESKTOP:-800x600}

"$root/scripts/install-packages.sh"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$(nproc)" --target media floppy walkthrough
build=$(cd "$build" && pwd)

# A fresh copy of the prefix template for every run, so setup always meets a machine on
# which it never ran. Setup copies the companion programs into the Windows 9x Start menu,
# which a Wine prefix lacks.
export WINEPREFIX="$build/wine-run" WINEARCH=win32 WINEDEBUG=-all
"$root/scripts/wine-prefix.sh" "$WINEPREFIX"
mkdir -p "$WINEPREFIX/drive_c/windows/START MENU/PROGRAMS"

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
exec xvfb-run -a -s "-screen 0 1024x768x24" "$root/tools/walkthrough/walk.sh" \
     "$walker" "$medium" "$build/walkthrough" "$pictures" "$desktop" "${VELMORA_WALK_SECONDS:-20}"
