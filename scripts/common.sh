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
