#!/usr/bin/env bash
# Installs what is missing, builds, and starts Pixtrove! on the current display among the
# user's other windows (scripts/start.sh). Where there is no display, runs the scripted tour
# on a private Xvfb screen instead and says where its screenshots are.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh >/dev/null
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec bash scripts/start.sh
else
    echo "No display: running the scripted tour under Xvfb."
    bash scripts/xvfb.sh bash scripts/demo.sh
fi
