#!/bin/sh
# Checks that a production program loads on a bare Windows 95: PE subsystem 4.0, imports
# from KERNEL32, USER32, GDI32 and ADVAPI32 only, and none of the functions listed as
# missing there; and that no function's frame reaches a page, since the programs are built
# without the stack probe that would step it past Windows' guard page.
# Usage: check-imports.sh PROGRAM.EXE missing-imports.txt
set -u
program=$1
missing=$2
dump=$(i686-w64-mingw32-objdump -p "$program") || { echo "cannot read $program"; exit 1; }
status=0

subsystem=$(printf '%s\n' "$dump" | awk '/^MajorSubsystemVersion/{a=$2} /^MinorSubsystemVersion/{b=$2} END{print a"."b}')
os=$(printf '%s\n' "$dump" | awk '/^MajorOSystemVersion/{a=$2} /^MinorOSystemVersion/{b=$2} END{print a"."b}')
kind=$(printf '%s\n' "$dump" | awk '/^Subsystem/{print $2}')
[ "$subsystem" = "4.0" ] || { echo "subsystem version $subsystem, expected 4.0"; status=1; }
[ "$os" = "4.0" ] || { echo "OS version $os, expected 4.0"; status=1; }
[ "$kind" = "00000002" ] || { echo "subsystem $kind, expected 00000002 (Windows GUI)"; status=1; }

dlls=$(printf '%s\n' "$dump" | awk '/DLL Name:/{print toupper($3)}' | sort -u)
[ -n "$dlls" ] || { echo "no imports found"; status=1; }
for dll in $dlls; do
  case $dll in
    KERNEL32.DLL|USER32.DLL|GDI32.DLL|ADVAPI32.DLL) ;;
    *) echo "imports from $dll"; status=1 ;;
  esac
done

functions=$(printf '%s\n' "$dump" | awk '/DLL Name:/{inside=1; next} inside && NF==3 && $1 ~ /^[0-9a-f]+$/ {print $3} /^$/{inside=0}')
for name in $(grep -v '^#' "$missing"); do
  if printf '%s\n' "$functions" | grep -qx "$name"; then
    echo "imports $name, which Windows 95 lacks"
    status=1
  fi
done

# A frame is made by one subtraction from the stack pointer; a page is 0x1000 bytes.
i686-w64-mingw32-objdump -d "$program" | grep -E 'sub +\$0x[1-9a-f][0-9a-f]{3,},%esp' |
  sed 's/^/a frame of a page or more: /' | grep . && status=1

count=$(printf '%s\n' "$functions" | grep -c .)
echo "$(basename "$program"): $(echo $dlls | tr ' ' ','), $count functions, subsystem $subsystem"
exit $status
