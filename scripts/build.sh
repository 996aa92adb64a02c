#!/bin/sh
# Installs what is missing, configures and builds into the build folder (VELMORA_BUILD,
# default build in the source tree), quietly: the compiler's output is shown only when the
# build fails. Usage: scripts/build.sh [TARGET...] (default: everything)
set -eu
scripts=$(dirname "$0")
. "$scripts/common.sh"

"$scripts/install-packages.sh"
mkdir -p "$build"
log=$build/build.log
targets=""
for target in "$@"; do
  targets="$targets --target $target"
done
# Configured once: the build configures again by itself when a CMake file changed. Each
# configure rewrites the test programs' lists of cases, which ctest then makes again.
if ! { { [ -f "$build/Makefile" ] ||
         cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
           -DCMAKE_BUILD_TYPE=Release; } &&
       cmake --build "$build" -j "$(nproc)" $targets; } >"$log" 2>&1; then
  cat "$log"
  echo "the build failed; its output is above and in $log" >&2
  exit 1
fi
