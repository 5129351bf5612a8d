#!/usr/bin/env bash
# Builds and runs the benchmarks, the core's natively and the Windows ones under Wine on a
# private Xvfb screen; they print figures.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset native >/dev/null && cmake --build --preset native --target ScrollMatchBench >/dev/null
build/native/ScrollMatchBench; echo
bash scripts/build.sh >/dev/null
prefix=$PWD/build/mingw/wineprefix
bash scripts/xvfb.sh bash -c "
    scripts/wine-prefix.sh '$prefix' 96 >/dev/null
    for b in RubberBand Grab Clipboard Edit HotKey Markup Open Scroll Region Keep; do scripts/wine-run.sh '$prefix' build/mingw/\${b}Bench.exe; echo; done
    scripts/wine-run.sh '$prefix' build/mingw/SaveBench.exe --large; echo
    scripts/wine-prefix.sh '$prefix' --stop"
# The Print Screen key and the region overlay once more on a screen of 3840 x 2160, in a prefix
# whose desktop is that size.
large=$PWD/build/mingw/wineprefix4k
XVFB_SIZE=3840x2160 bash scripts/xvfb.sh bash -c "
    bash scripts/make-prefix.sh '$large' 96 3840x2160
    WINEPREFIX='$large' wineserver -p >/dev/null 2>&1 </dev/null || true
    scripts/wine-run.sh '$large' build/mingw/HotKeyBench.exe
    scripts/wine-run.sh '$large' build/mingw/RegionBench.exe
    WINEPREFIX='$large' wineserver -k 2>/dev/null || true"
