#!/usr/bin/env bash
# The start script as a user meets it, on the current X display (a private one) with a window
# manager: it makes the user's prefix under XDG_DATA_HOME; the program's frame is a top-level
# window the manager manages, with no Wine desktop window anywhere; a whole-screen shot shows
# what another X program shows; a second start returns promptly and leaves the one program
# running; the settings are kept in that prefix.
# Usage: start-test.sh START.sh PIXTROVE.exe DESKTOP_PROBE.exe SCRATCH-FOLDER
set -uo pipefail
start=$1 program=$2 probe=$3 scratch=$4
rm -rf "$scratch" && mkdir -p "$scratch"
export XDG_DATA_HOME=$scratch/data
prefix=$XDG_DATA_HOME/pixtrove/wineprefix
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
probe() { "$(dirname "$start")/wine-run.sh" "$prefix" "$probe" "$@" | tr -d '\r'; }
# Until the command succeeds, for at most $1 seconds.
within() {
    local end=$((SECONDS + $1)); shift
    until "$@"; do [ $SECONDS -lt $end ] || return 1; sleep 0.2; done
}
gone() { ! ps -o stat= -p "$1" | grep -qv '^Z'; }  # ended, whether or not waited for

openbox >/dev/null 2>&1 &
wm=$!
pids=($wm)
trap 'WINEPREFIX=$prefix wineserver -k 2>/dev/null; kill "${pids[@]}" 2>/dev/null' EXIT
managing() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
within 10 managing || fail "openbox did not start"

# Four colour blocks that no Wine desktop shows, in a window of another X program.
pattern=$scratch/pattern.ppm
convert -size 120x80 xc:'#d02020' xc:'#20b040' +append \
    \( -size 120x80 xc:'#2040d0' xc:'#e0c020' +append \) -append "$pattern"
display -geometry +1000+780 "$pattern" >/dev/null 2>&1 &
pids+=($!)
within 20 xdotool search --onlyvisible --name 'pattern\.ppm' >/dev/null || fail "the pattern did not show"
read -r px py < <(xwininfo -id "$(xdotool search --onlyvisible --name 'pattern\.ppm' | head -n 1)" |
    awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4} END {print x, y}')

"$start" "$program" >"$scratch/first-start.log" 2>&1 </dev/null &
first=$!
pids+=($first)
frame_shown() { xdotool search --onlyvisible --classname '^pixtrove\.exe$' >/dev/null 2>&1; }
frame_or_end() { frame_shown || gone $first; }
within 240 frame_or_end
frame_shown || { fail "no Pixtrove! window came"; cat "$scratch/first-start.log"; exit 1; }
[ -f "$prefix/system.reg" ] || fail "no prefix in $prefix"
frame=$(printf '0x%x' "$(xdotool search --onlyvisible --classname '^pixtrove\.exe$' | head -n 1)")
xprop -root _NET_CLIENT_LIST | grep -qw "$frame" || fail "the frame $frame is not a window openbox manages"
desktops=$(xwininfo -root -tree | grep -i 'wine desktop\|"explorer.exe".*[0-9]\{3,\}x')
[ -z "$desktops" ] || fail "a Wine desktop window: $desktops"

probe capture "Z:${scratch//\//\\}\\shot.ppm" || fail "no capture"
convert "$scratch/shot.ppm" "$scratch/shot.png" 2>/dev/null
convert "$scratch/shot.ppm" -crop "240x160+$px+$py" +repage "$scratch/seen.ppm" 2>/dev/null
differing=$(compare -metric AE "$scratch/seen.ppm" "$pattern" null: 2>&1)
[ "$differing" = 0 ] || fail "the shot (shot.png) does not show the pattern at $px,$py: $differing pixels differ"

began=$SECONDS
timeout 60 "$start" "$program" >"$scratch/second-start.log" 2>&1 </dev/null || fail "the second start failed"
[ $((SECONDS - began)) -le 10 ] || fail "the second start took $((SECONDS - began)) s"
running=$(probe count)
[ "$running" = 1 ] || fail "$running programs run after the second start"
gone $first && fail "the first program ended with the second start"

probe close
within 30 gone $first || fail "the program did not end"
wait $first || fail "the first start ended with status $?"
WINEPREFIX=$prefix timeout 30 wineserver -w
grep -q '^\[Software\\\\Kvn\\\\Pixtrove\]' "$prefix/user.reg" || fail "no settings kept in $prefix"
dpi=$(xdpyinfo | sed -n 's/^ *resolution: *\([0-9]*\)x.*/\1/p')
[ "$dpi" -ge 96 ] || dpi=96
grep -q "^\"LogPixels\"=dword:$(printf '%08x' "$dpi")" "$prefix/user.reg" || fail "the prefix is not set to $dpi dpi"

[ $failures = 0 ] && echo "The start script put Pixtrove! on the desktop (shot: $scratch/shot.png)."
exit $((failures > 0))
