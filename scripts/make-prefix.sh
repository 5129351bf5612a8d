#!/usr/bin/env bash
# Makes (once) a Wine prefix that Pixtrove! looks right in: Wine's own fonts, the faces the
# program asks for mapped to installed ones, and the given screen DPI, set anew whenever it
# changes. With a size, the prefix's programs run in a Wine virtual desktop of that size;
# without, each of their windows is one of the X desktop's own.
# Usage: make-prefix.sh PREFIX DPI [WIDTHxHEIGHT]
set -euo pipefail
prefix=$1 dpi=$2 desktop=${3:-}
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
stamp=$prefix/.pixtrove-ready
if [ ! -f "$stamp" ]; then
    mkdir -p "$prefix"
    wineboot -i >/dev/null 2>&1
    # Wine's own fonts (Marlett draws the caption buttons) are not found where Debian puts
    # them, so the prefix gets them in its Fonts folder.
    cp -n /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
    if [ -n "$desktop" ]; then
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$desktop" /f >/dev/null 2>&1
    fi
    # The faces the program asks for, mapped to installed fonts of the same kind and metrics.
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d 'IPAPGothic' /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Arial' /d 'Liberation Sans' /f >/dev/null 2>&1
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    echo "$dpi" >"$prefix/.pixtrove-dpi"
    wineserver -w
    touch "$stamp"
fi
# A prefix kept across sessions may meet another screen. Programs already running in it keep
# the DPI they started with, so there is no waiting for them here.
if [ "$(cat "$prefix/.pixtrove-dpi" 2>/dev/null)" != "$dpi" ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    echo "$dpi" >"$prefix/.pixtrove-dpi"
fi
