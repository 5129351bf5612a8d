#!/usr/bin/env bash
# Runs a command on a desktop of two monitors, as Wine reports them: a private X server (Xorg
# with the dummy driver) whose primary output is 1280 x 1024 with a second of 1024 x 768 on its
# left, top edges level, so that the second lies at negative coordinates; and a Wine prefix
# with no virtual desktop (a Wine desktop window would be one monitor), its server started
# for the command and ended after it. Needs root, as the X server does; it neither switches
# nor takes the console, so it can run beside a desktop.
# Usage: two-screens.sh PREFIX COMMAND [ARGS...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
prefix=$1; shift
for n in $(seq 150 199); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { display=$n; break; }
done
log=$(mktemp)
Xorg ":$display" -config "$here/two-screens.conf" -noreset -nolisten tcp -novtswitch -sharevts -logfile "$log" >/dev/null 2>&1 &
xorg_pid=$!
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null || true; kill $xorg_pid 2>/dev/null || true; rm -f "$log"' EXIT
export DISPLAY=":$display"
for _ in $(seq 100); do xrandr >/dev/null 2>&1 && break; sleep 0.1; done
xrandr --addmode DUMMY1 1024x768
xrandr --output DUMMY0 --mode 1280x1024 --primary --output DUMMY1 --mode 1024x768 --left-of DUMMY0
# A full query makes the server probe its outputs; until then Wine, which asks for the current
# state only, finds the second output unused and reports one monitor.
xrandr >/dev/null
bash "$here/make-prefix.sh" "$prefix" 96
wineserver -w >/dev/null 2>&1 </dev/null || true
wineserver -p >/dev/null 2>&1 </dev/null || true
wine cmd /c exit >/dev/null 2>&1 </dev/null || true
"$@"
