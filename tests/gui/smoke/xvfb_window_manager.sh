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
# Settings of its own: a remembered window would not start at the first size.
export XDG_CONFIG_HOME="$work/config"
rm -rf "$XDG_CONFIG_HOME"
"$cli" sample "$work/small.tqb" --image 400x300 >/dev/null || exit 1
"$cli" sample "$work/large.tqb" --image 2400x1800 >/dev/null || exit 1

source "$(dirname "$0")/polling.sh"
source "$(dirname "$0")/start_xvfb.sh"
xvfb=""
app=""
wm=""
trap 'kill $app $wm $xvfb 2>/dev/null' EXIT
start_xvfb "$work" 1024x768x24 || exit 1
export DISPLAY=$display
openbox >"$work/openbox.log" 2>&1 &
wm=$!
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }
wait_for 30 wm_running || { echo "openbox did not start"; cat "$work/openbox.log"; exit 1; }

failed=0
fail() { echo "FAIL: $*"; failed=1; }

main_window_shown() {
    window=$(xdotool search --onlyvisible --name " - Vesk$" 2>/dev/null | head -1)
    [ -n "$window" ]
}

# Starts the program with the given arguments; sets window once it is mapped.
start() {
    "$vesk" -Embedding "$@" >"$work/vesk.log" 2>&1 &
    app=$!
    wait_for 30 main_window_shown || { echo "no main window appeared"; cat "$work/vesk.log"; exit 1; }
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
    LEFT="" RIGHT="" TOP="" BOTTOM=""
    read -r LEFT RIGHT TOP BOTTOM < <(xprop -id "$window" _NET_FRAME_EXTENTS 2>/dev/null |
        sed -n 's/.*= *//p' | tr -d ',')
}

# The window manager has put its frame around the window; measures it.
framed() {
    measure
    [ -n "$BOTTOM" ]
}

outer_size() {
    echo "$((WIDTH + LEFT + RIGHT))x$((HEIGHT + TOP + BOTTOM))"
}

first_size_reached() {
    framed && [ "$(outer_size)" = "330x337" ]
}

inside_screen() {
    framed && [ $((X - LEFT)) -ge 0 ] && [ $((Y - TOP)) -ge 0 ] &&
        [ $((X + WIDTH + RIGHT)) -le 1024 ] && [ $((Y + HEIGHT + BOTTOM)) -le 768 ]
}

# The program answers the frame, and its bars' final sizes, with a few
# resizes; the window has settled once it is framed and holds still for half
# a second.
settled() {
    framed || return 1
    local before="$X $Y $WIDTH $HEIGHT"
    sleep 0.5
    measure
    [ "$X $Y $WIDTH $HEIGHT" = "$before" ]
}

# Picks a menu's item by the menu's and the item's keys, as a keyboard would,
# each once the program can take it.
choose() {
    xdotool key "$1"
    wait_for 30 popup_shown "$app" "$window" || { fail "$1 opened no menu"; return; }
    xdotool key "$2"
    wait_for 30 only_window_shown "$app" "$window" || fail "$2 did not close the menu"
}

start
wait_for 30 first_size_reached || fail "first window's outer size is $(outer_size)"
echo "first window: client ${WIDTH}x${HEIGHT}, frame $LEFT $RIGHT $TOP $BOTTOM, outer $(outer_size)"
stop

start "$work/large.tqb"
wait_for 30 inside_screen || fail "the window of a 2400 x 1800 sheet leaves the 1024 x 768 screen"
echo "large sheet: client ${WIDTH}x${HEIGHT} at $X,$Y"
stop

start "$work/small.tqb"
wait_for 30 settled || fail "the window did not settle"
before="${WIDTH}x${HEIGHT}"
xdotool windowfocus --sync "$window" 2>/dev/null
choose alt+v t
choose alt+v t
wait_for 30 settled || fail "the window did not settle after the tool bar came back"
echo "sheet from the command line: client $before, after hiding and showing the tool bar ${WIDTH}x${HEIGHT}"
[ "${WIDTH}x${HEIGHT}" = "$before" ] || fail "the fit did not hold after the tool bar came back"
stop

[ $failed -eq 0 ] && echo "window manager checks passed"
exit $failed
