#!/usr/bin/env bash
# Installs what is missing, builds, and starts Pixtrove! under Wine with a Japanese locale on
# the current display. Where there is no display, runs the scripted tour on a private Xvfb
# screen instead and says where its screenshots are.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh >/dev/null
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    prefix=$PWD/build/run/wineprefix
    bash scripts/wine-prefix.sh "$prefix" 96 >/dev/null
    trap 'bash scripts/wine-prefix.sh "$prefix" --stop' EXIT
    scripts/wine-run.sh "$prefix" build/mingw/pixtrove.exe
else
    echo "No display: running the scripted tour under Xvfb."
    bash scripts/xvfb.sh bash scripts/demo.sh
fi
