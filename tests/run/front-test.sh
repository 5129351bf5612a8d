#!/usr/bin/env bash
# A capture from a key on a plain X desktop with a window manager (openbox): another Wine
# program has the keyboard, Shift+Print Screen is pressed for real (xdotool); Esc ends the
# overlay; then a click on it takes that program's window, and the new shot must come up in
# front: the frame on top of the window manager's stacking.
# Usage: front-test.sh PIXTROVE.exe OTHER_PROGRAM.exe SCRATCH-FOLDER   (on a private X display)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
scripts=$here/../../scripts
program=$1 other=$2 scratch=$3
rm -rf "$scratch/after.png" && mkdir -p "$scratch"
prefix=$scratch/wineprefix
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
within() {
    local end=$((SECONDS + $1)); shift
    until "$@"; do [ $SECONDS -lt $end ] || return 1; sleep 0.2; done
}

# openbox with its own key bindings left out: the stock ones take Print Screen.
cat >"$scratch/rc.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc"><keyboard></keyboard></openbox_config>
XML
openbox --config-file "$scratch/rc.xml" >/dev/null 2>&1 &
pids=($!)
trap 'WINEPREFIX=$prefix wineserver -k 2>/dev/null; kill "${pids[@]}" 2>/dev/null' EXIT
managing() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
within 30 managing || fail "openbox did not start"
bash "$scripts/make-prefix.sh" "$prefix" 96

"$scripts/wine-run.sh" "$prefix" "$program" >"$scratch/program.log" 2>&1 </dev/null &
pids+=($!)
frame() { xdotool search --onlyvisible --classname '^pixtrove\.exe$' 2>/dev/null | head -n 1; }
has_frame() { test -n "$(frame)"; }
within 240 has_frame || { fail "no Pixtrove! window came"; exit 1; }
"$scripts/wine-run.sh" "$prefix" "$other" 600 300 400 300 >/dev/null 2>&1 </dev/null &
pids+=($!)
other_window() { xdotool search --onlyvisible --classname '^other_program\.exe$' 2>/dev/null | head -n 1; }
has_other() { test -n "$(other_window)"; }
within 60 has_other || { fail "the other program's window did not come"; exit 1; }
active() { printf '%d' "$(xprop -root _NET_ACTIVE_WINDOW | sed 's/.*# //; s/,.*//')"; }
other_active() { test "$(active)" = "$(other_window)"; }
within 10 other_active || xdotool windowactivate --sync "$(other_window)"
within 10 other_active || fail "the other program does not have the keyboard"
sleep 1
frame_id=$(frame)

overlay() { xdotool search --onlyvisible --classname '^pixtrove\.exe$' 2>/dev/null | while read -r w; do
    xwininfo -id "$w" | grep -q 'Width: 1280' && echo "$w"; done | head -n 1; }
has_overlay() { test -n "$(overlay)"; }
no_overlay() { test -z "$(overlay)"; }

# Esc ends the overlay even where the window manager leaves the keyboard with the other program.
xdotool key shift+Print
within 10 has_overlay || fail "Shift+Print Screen opened no overlay"
sleep 0.5
xdotool key Escape
within 5 no_overlay || fail "Esc did not end the overlay"
within 10 other_active || xdotool windowactivate --sync "$(other_window)"
sleep 1

xdotool key shift+Print
within 10 has_overlay || fail "Shift+Print Screen opened no overlay"
sleep 0.5
xdotool mousemove 800 450 click 1
sleep 3
stacking=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //' | tr ',' '\n' | tail -n 1 | tr -d ' ')
[ "$((stacking))" = "$frame_id" ] || fail "the frame is not on top: $((stacking)) is, the frame is $frame_id"
# openbox keeps the keyboard with the program that had it; that is told, not failed.
[ "$(active)" = "$frame_id" ] || echo "note: the keyboard stayed with the other program"
import -window root "$scratch/after.png" 2>/dev/null
[ $failures = 0 ] && echo "The shot came up in front (screen: $scratch/after.png)."
exit $((failures > 0))
