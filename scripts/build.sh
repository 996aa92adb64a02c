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
configure_and_build() {
  { { [ -f "$build/Makefile" ] ||
        cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
          -DCMAKE_BUILD_TYPE=Release; } &&
      cmake --build "$build" -j "$(nproc)" $targets; } >"$log" 2>&1
}

# How far the quiet build is: the percentage of make's last line, and what it was doing.
build_progress() {
  last=$(grep '^\[ *[0-9]*%\]' "$log" | tail -n 1)
  if [ -n "$last" ]; then
    printf 'building: %s%%, %s' "$(printf '%s' "$last" | sed 's/^\[ *\([0-9]*\)%.*/\1/')" \
      "$(printf '%s' "$last" | sed 's/^\[[^]]*\] //; s#object .*/\([^/]*\)\.obj$#\1#')"
  else
    printf 'configuring the build'
  fi
}

if ! watch_over build_progress configure_and_build; then
  cat "$log"
  echo "the build failed; its output is above and in $log" >&2
  exit 1
fi
