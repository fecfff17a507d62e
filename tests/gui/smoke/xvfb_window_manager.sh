#!/usr/bin/env bash
# The program under a window manager on a real X server, where the frame is the
# window manager's: the first window is 330 x 337 with its frame, a sheet
# larger than the screen gets a window inside the screen, and a sheet named on
# the command line keeps its fit when the tool bar is hidden and shown again.
set -u
vesk=$1
cli=$2
work=$3
for tool in Xvfb openbox xdotool xprop xwininfo; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is missing"
        exit 77
    fi
done
mkdir -p "$work"
"$cli" sample "$work/small.tqb" --image 400x300 >/dev/null || exit 1
"$cli" sample "$work/large.tqb" --image 2400x1800 >/dev/null || exit 1

source "$(dirname "$0")/start_xvfb.sh"
xvfb=""
app=""
wm=""
trap 'kill $app $wm $xvfb 2>/dev/null' EXIT
start_xvfb "$work" 1024x768x24 || exit 1
export DISPLAY=$display
openbox >"$work/openbox.log" 2>&1 &
wm=$!
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
done

failed=0
fail() { echo "FAIL: $*"; failed=1; }

# Starts the program with the given arguments; sets window once it is mapped.
start() {
    "$vesk" -Embedding "$@" >"$work/vesk.log" 2>&1 &
    app=$!
    window=""
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --name " - Vesk$" 2>/dev/null | head -1)
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || { echo "no main window appeared"; cat "$work/vesk.log"; exit 1; }
    sleep 1.5  # the frame, and the program's answer to it
}

stop() {
    kill "$app" 2>/dev/null
    wait "$app" 2>/dev/null
    app=""
}

# Sets X Y WIDTH HEIGHT of the client area (absolute, as xwininfo gives it;
# xdotool counts the frame into the position), and LEFT RIGHT TOP BOTTOM of
# the frame.
measure() {
    local info
    info=$(xwininfo -id "$window")
    X=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
    Y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
    WIDTH=$(sed -n 's/.*Width: *//p' <<<"$info")
    HEIGHT=$(sed -n 's/.*Height: *//p' <<<"$info")
    read -r LEFT RIGHT TOP BOTTOM < <(xprop -id "$window" _NET_FRAME_EXTENTS |
        sed -n 's/.*= *//p' | tr -d ',')
}

start
measure
outer="$((WIDTH + LEFT + RIGHT))x$((HEIGHT + TOP + BOTTOM))"
echo "first window: client ${WIDTH}x${HEIGHT}, frame $LEFT $RIGHT $TOP $BOTTOM, outer $outer"
[ "$outer" = "330x337" ] || fail "first window's outer size is $outer"
stop

start "$work/large.tqb"
measure
echo "large sheet: client ${WIDTH}x${HEIGHT} at $X,$Y"
if [ $((X - LEFT)) -lt 0 ] || [ $((Y - TOP)) -lt 0 ] ||
    [ $((X + WIDTH + RIGHT)) -gt 1024 ] || [ $((Y + HEIGHT + BOTTOM)) -gt 768 ]; then
    fail "the window of a 2400 x 1800 sheet leaves the 1024 x 768 screen"
fi
stop

start "$work/small.tqb"
measure
before="${WIDTH}x${HEIGHT}"
xdotool windowfocus --sync "$window" 2>/dev/null
for keys in alt+v t alt+v t; do
    xdotool key "$keys"
    sleep 0.5
done
measure
echo "sheet from the command line: client $before, after hiding and showing the tool bar ${WIDTH}x${HEIGHT}"
[ "${WIDTH}x${HEIGHT}" = "$before" ] || fail "the fit did not hold after the tool bar came back"
stop

[ $failed -eq 0 ] && echo "window manager checks passed"
exit $failed
