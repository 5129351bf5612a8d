#!/usr/bin/env bash
# Builds and runs the Windows benchmarks under Wine on a private Xvfb screen; they print figures.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh >/dev/null
prefix=$PWD/build/mingw/wineprefix
bash scripts/xvfb.sh bash -c "
    scripts/wine-prefix.sh '$prefix' 96 >/dev/null
    for b in RubberBand Grab Clipboard Edit; do scripts/wine-run.sh '$prefix' build/mingw/\${b}Bench.exe; echo; done
    scripts/wine-run.sh '$prefix' build/mingw/SaveBench.exe --large; echo
    scripts/wine-prefix.sh '$prefix' --stop"
