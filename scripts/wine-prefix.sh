#!/bin/sh
# Makes a throwaway 32-bit Wine prefix at $1 from a template kept at $1.template (made
# once, ~10 s): no window manager delays, no debugger dialog on a crash (the crash then
# fails the test instead of hanging it), and profile folders that stay inside the prefix.
# Usage: wine-prefix.sh PREFIX [--template-only]
set -eu
scripts=$(dirname "$0")
. "$scripts/common.sh"
prefix=$1
template=$prefix.template
export WINEDLLOVERRIDES="mscoree,mshtml="

# The template is made again whenever this script changes.
stamp=$(md5sum < "$0" | cut -d' ' -f1)
make_template() {
  rm -rf "$template"
  WINEPREFIX=$template wineboot -i >/dev/null 2>&1
  reg() { WINEPREFIX=$template wine reg add "$@" /f >/dev/null 2>&1; }
  # Without a window manager every closed window otherwise costs two seconds.
  reg 'HKCU\Software\Wine\X11 Driver' /v Managed /d N
  reg 'HKCU\Software\Wine\DllOverrides' /v winedbg.exe /d ''
  reg 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /d ''
  reg 'HKCU\Software\Wine\DllOverrides' /v mscoree /d ''
  reg 'HKCU\Software\Wine\DllOverrides' /v mshtml /d ''
  reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
  # The colours of a Windows 95 desktop: the pages' images are drawn on its grey face.
  for colour in "ButtonFace 192 192 192" "Menu 192 192 192" "Scrollbar 192 192 192" \
                "ButtonShadow 128 128 128" "ButtonHilight 255 255 255" "Window 255 255 255" \
                "ActiveTitle 0 0 128" "InactiveTitle 128 128 128" "TitleText 255 255 255" \
                "Background 0 128 128"; do
    set -- $colour
    reg 'HKCU\Control Panel\Colors' /v "$1" /d "$2 $3 $4"
  done
  WINEPREFIX=$template wineserver -w
  # The profile folders link to the real home; tests must not write outside the prefix.
  for link in $(find "$template/drive_c/users" -maxdepth 3 -type l); do
    rm "$link" && mkdir -p "$link"
  done
  # Title bars draw their close, minimise and maximise glyphs from the Marlett font. This
  # Wine looks for its own fonts in a folder that does not exist, so without a copy in the
  # prefix every close button shows the letter "r".
  marlett=/usr/share/wine/fonts/marlett.ttf
  [ -f "$marlett" ] && cp "$marlett" "$template/drive_c/windows/Fonts/" ||
    echo "no $marlett (package fonts-wine): title bars will show \"r\" for the close button" >&2
  # A share of a server, \\VELMORA-SERVER\MEDIUM, for a setup started from one as a login script
  # starts it: Wine takes \\SERVER\SHARE from dosdevices/unc. It is the folder the tests make
  # their setup medium in.
  mkdir -p "$template/dosdevices/unc/velmora-server"
  ln -s ../../../drive_c/velmora-test-medium "$template/dosdevices/unc/velmora-server/medium"
  echo "$stamp" > "$template/.velmora-template"
}
making_template() {
  printf 'making the Wine prefix template %s' "$template"
}
if [ "$(cat "$template/.velmora-template" 2>/dev/null)" != "$stamp" ]; then
  say_progress "$(making_template) (once, about 10 seconds)"
  watch_over making_template make_template
fi

[ "${2:-}" != --template-only ] || exit 0
WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
rm -rf "$prefix"
cp -a "$template" "$prefix"
