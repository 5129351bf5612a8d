#!/usr/bin/env bash
# Makes (once) the Wine prefix that the Windows tests run in: a Japanese locale, a virtual
# desktop of 1280 x 1024 so that window frames are drawn, and the given screen DPI.
# Usage: wine-prefix.sh PREFIX DPI     (wine-prefix.sh PREFIX --stop ends its server)
set -euo pipefail
prefix=$1 dpi=${2:-96}
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ "$dpi" = --stop ]; then
    wineserver -k 2>/dev/null || true
    exit 0
fi
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
stamp=$prefix/.pixtrove-ready
if [ ! -f "$stamp" ]; then
    mkdir -p "$prefix"
    wineboot -i >/dev/null 2>&1
    # Wine's own fonts (Marlett draws the caption buttons) are not found where Debian puts
    # them, so the prefix gets them in its Fonts folder.
    cp -n /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1
    # The faces the program asks for, mapped to installed fonts of the same kind and metrics.
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d 'IPAPGothic' /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Arial' /d 'Liberation Sans' /f >/dev/null 2>&1
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wineserver -w
    touch "$stamp"
fi
# One persistent server (and desktop process) for the whole run: each test then starts in a
# fraction of a second. Neither may hold the caller's output open, or CTest would wait for them.
# A server left from listing the tests may still be winding down: let it end first.
wineserver -w >/dev/null 2>&1 </dev/null || true
wineserver -p >/dev/null 2>&1 </dev/null || true
wine cmd /c exit >/dev/null 2>&1 </dev/null
echo "Wine prefix ready: $prefix ($dpi dpi)"
