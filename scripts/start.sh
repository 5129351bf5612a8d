#!/usr/bin/env bash
# Starts the built Pixtrove! on the current X display, each of its windows one of the
# desktop's own, in the user's Wine prefix: made on first use and kept apart from the build,
# so the settings stored there outlive any rebuild. Returns when the program ends; with one
# already running, the new one ends at once (one copy per log-on).
# Usage: start.sh [PROGRAM.exe]   (the build's own by default)
set -euo pipefail
scripts=$(cd "$(dirname "$0")" && pwd)
program=${1:-$scripts/../build/mingw/pixtrove.exe}
prefix=${XDG_DATA_HOME:-$HOME/.local/share}/pixtrove/wineprefix
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    echo "start.sh: no X display to start Pixtrove! on" >&2
    exit 1
fi
# The screen's DPI as the X server reports it; Windows scales nothing below 96.
dpi=$(xdpyinfo | sed -n 's/^ *resolution: *\([0-9]*\)x.*/\1/p' | head -n 1)
[ "${dpi:-0}" -ge 96 ] || dpi=96
bash "$scripts/make-prefix.sh" "$prefix" "$dpi"
exec "$scripts/wine-run.sh" "$prefix" "$program"
