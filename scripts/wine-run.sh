#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, in the given prefix, with a Japanese locale.
# Usage: wine-run.sh PREFIX PROGRAM.exe [ARGS...]
set -euo pipefail
prefix=$1; shift
export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
# A test may add its own overrides in PIXTROVE_DLLOVERRIDES (Wine reads them at each start).
export WINEDLLOVERRIDES="mscoree,mshtml=${PIXTROVE_DLLOVERRIDES:+;$PIXTROVE_DLLOVERRIDES}"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" wine "$@"
fi
exec wine "$@"
