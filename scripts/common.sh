# Sourced by the scripts: where the sources, the scripts and the build folder are, and the
# environment Wine runs in. The sourcing script sets `scripts` to this folder first.
root=$(cd "$scripts/.." && pwd)
scripts=$root/scripts
build=${VELMORA_BUILD:-$root/build}
export WINEARCH=win32 WINEDEBUG=-all

# The build folder as an absolute path; it exists once scripts/build.sh has run.
absolute_build() {
  build=$(cd "$build" && pwd)
}

# Starts the wineserver of WINEPREFIX to stay, then runs one program (default: an empty
# command): the services that Wine starts with the first program would otherwise outlive a
# program of the caller's and hold its output open.
start_wine() {
  wineserver -p
  [ $# -gt 0 ] || set -- cmd /c exit
  wine "$@" </dev/null >/dev/null 2>&1
}

# When the command the user started began: every line that says how far it is gives the time
# since then, the scripts it starts included.
: "${VELMORA_STARTED:=$(date +%s)}"
export VELMORA_STARTED

# The time since then, as minutes:seconds.
elapsed() {
  seconds=$(($(date +%s) - VELMORA_STARTED))
  printf '%d:%02d' $((seconds / 60)) $((seconds % 60))
}

# A line on stderr that says how far the command is, after that time.
say_progress() {
  echo "$(elapsed) $*" >&2
}

# Runs a command in the background and, while it runs, says at most 8 seconds apart what the
# shell function named first prints: how far it is. A quiet step thus never leaves the
# command silent for 10 seconds, on a busy machine too. The command's status.
watch_over() {
  describe=$1
  shift
  "$@" &
  watched=$!
  said=$(date +%s)
  while kill -0 "$watched" 2>/dev/null; do
    sleep 1
    if [ $(($(date +%s) - said)) -ge 7 ]; then
      say_progress "$($describe)"
      said=$(date +%s)
    fi
  done
  wait "$watched"
}
