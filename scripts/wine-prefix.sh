#!/usr/bin/env bash
# Makes (once) the Wine prefix that the Windows tests run in: a Japanese locale, a virtual
# desktop of 1280 x 1024 so that window frames are drawn, and the given screen DPI; then
# starts its one server. Usage: wine-prefix.sh PREFIX DPI   (wine-prefix.sh PREFIX --stop ends it)
set -euo pipefail
prefix=$1 dpi=${2:-96}
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ "$dpi" = --stop ]; then
    wineserver -k 2>/dev/null || true
    exit 0
fi
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
bash "$(dirname "$0")/make-prefix.sh" "$prefix" "$dpi" 1280x1024
# One persistent server (and desktop process) for the whole run: each test then starts in a
# fraction of a second. Neither may hold the caller's output open, or CTest would wait for them.
# A server left from listing the tests may still be winding down: let it end first.
wineserver -w >/dev/null 2>&1 </dev/null || true
wineserver -p >/dev/null 2>&1 </dev/null || true
wine cmd /c exit >/dev/null 2>&1 </dev/null
echo "Wine prefix ready: $prefix ($dpi dpi)"
