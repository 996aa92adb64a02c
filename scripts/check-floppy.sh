#!/bin/sh
# Checks that a diskette image holds exactly the files of its medium folder, byte for
# byte, so a stale or incomplete image cannot ship. Usage: check-floppy.sh IMAGE FOLDER
set -u
image=$1
folder=$2
status=0
listed=$(mdir -b -i "$image" :: | sed 's|^::/||' | sort)
present=$(cd "$folder" && ls | sort)
[ "$listed" = "$present" ] || { echo "image holds: $listed"; echo "folder holds: $present"; status=1; }
scratch=$(mktemp -d)
for name in $present; do
  mcopy -n -i "$image" "::/$name" "$scratch/$name" 2>/dev/null &&
    cmp -s "$scratch/$name" "$folder/$name" || { echo "$name differs from the folder's copy"; status=1; }
done
rm -rf "$scratch"
echo "$(basename "$image"): $(echo $present | wc -w) files, $(mdir -i "$image" :: | awk '/bytes free/{$1=$1; print}')"
exit $status
