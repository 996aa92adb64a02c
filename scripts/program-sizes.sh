#!/bin/sh
# Where the bytes of each production program go: its sections as the file holds them (code,
# data, imports, resources), each against the 512-byte steps a section's size takes in the
# file, and its ten largest functions, read from its twin that keeps its symbols. The link's
# optimizer drops every function a program never calls, so a function weighs only in the
# programs that call it, and the file grows only when a section passes a step.
# Usage: scripts/program-sizes.sh BUILD_FOLDER (the production programs and their twins built)
set -eu
build=$1
for program in SETUP PADMON REMOVER ALIGNER TUNER; do
  file=$build/media/production/$program.EXE
  twin=$build/symbols/$(echo "$program" | tr 'A-Z' 'a-z')_production/$program.EXE
  printf '%s.EXE, %s bytes\n' "$program" "$(stat -c %s "$file")"
  i686-w64-mingw32-objdump -h "$file" | awk '
    $2 ~ /^\./ {
      size = 0; hex = toupper($3)
      for (i = 1; i <= length(hex); i++) size = size * 16 + index("0123456789ABCDEF", substr(hex, i, 1)) - 1
      kind = $2 == ".text" ? "code" : $2 == ".idata" ? "imports" : $2 == ".rsrc" ? "resources" : \
             ($2 == ".data" || $2 == ".rdata") ? "data" : ""
      if (kind == "" || size == 0) next
      steps = int((size + 511) / 512)
      printf "  %-10s %-6s %7d bytes, %3d steps of 512 (%d bytes), %3d bytes to the next step\n", \
        kind, $2, size, steps, steps * 512, steps * 512 - size
    }'
  echo "  the ten largest functions:"
  i686-w64-mingw32-nm --size-sort -S -C "$twin" | awk '$3 ~ /^[tT]$/' | tail -n 10 |
    awk '{ hex = toupper($2); size = 0
           for (i = 1; i <= length(hex); i++) size = size * 16 + index("0123456789ABCDEF", substr(hex, i, 1)) - 1
           $1 = $2 = $3 = ""; sub(/^ +/, ""); printf "    %6d  %s\n", size, $0 }' | sort -rn
done
