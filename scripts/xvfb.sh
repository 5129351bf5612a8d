#!/usr/bin/env bash
# Runs a command with DISPLAY set to a fresh Xvfb screen (1280 x 1024, 24 bits, or the size
# in XVFB_SIZE, e.g. 3840x2160), which goes away with the command. Usage: xvfb.sh COMMAND [ARGS...]
set -euo pipefail
for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { display=$n; break; }
done
Xvfb ":$display" -screen 0 "${XVFB_SIZE:-1280x1024}x24" -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
export DISPLAY=":$display"
"$@"
