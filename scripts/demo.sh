#!/usr/bin/env bash
# The scripted tour on the current X display: screenshots (and the copied picture) as PNG
# files in build/demo. Usage: demo.sh (with DISPLAY set; run.sh provides one where there is none)
set -euo pipefail
cd "$(dirname "$0")/.."
prefix=$PWD/build/demo/wineprefix
out=$PWD/build/demo
rm -f "$out"/*.bmp "$out"/*.png
bash scripts/wine-prefix.sh "$prefix" 96 >/dev/null
# Each tour starts with no shots kept by the one before.
rm -rf "$prefix"/drive_c/users/*/AppData/Local/Pixtrove
status=0
scripts/wine-run.sh "$prefix" build/mingw/pixtrove_demo.exe build/mingw/pixtrove.exe "Z:${out//\//\\}" >/dev/null || status=$?
bash scripts/wine-prefix.sh "$prefix" --stop
for bmp in "$out"/*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
done
echo "Screenshots of the tour are in $out:"
ls -1 "$out"/*.png 2>/dev/null | sed 's/^/  /'
exit $status
