#!/usr/bin/env bash
# Starts the program on a real X server with the demo sheet, takes a screenshot,
# checks that it is not blank, and quits the program through its File menu.
set -u
vesk=$1
cli=$2
work=$3
for tool in Xvfb xdotool import convert; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is missing"
        exit 77
    fi
done
mkdir -p "$work"
"$cli" sample "$work/demo.tqb" --image 500x375 >/dev/null || exit 1

source "$(dirname "$0")/polling.sh"
source "$(dirname "$0")/start_xvfb.sh"
xvfb=""
trap 'kill $xvfb 2>/dev/null' EXIT
start_xvfb "$work" 1024x768x24 || exit 1
export DISPLAY=$display

"$vesk" "$work/demo.tqb" >"$work/vesk.log" 2>&1 &
app=$!
main_window_found() {
    window=$(xdotool search --name " - Vesk$" 2>/dev/null | head -1)
    [ -n "$window" ]
}
if ! wait_for 30 main_window_found; then
    echo "no main window appeared"; cat "$work/vesk.log"; exit 1
fi
title=$(xdotool getwindowname "$window")

# Drawn once the screen is no longer blank.
painted() {
    import -window root "$work/screen.png" &&
        spread=$(convert "$work/screen.png" -format '%[fx:standard_deviation]' info:) &&
        awk -v s="$spread" 'BEGIN { exit !(s > 0.01) }'
}
spread=""
wait_for 30 painted || { echo "blank screenshot (spread $spread)"; exit 1; }
echo "window: $title; screenshot spread: $spread"

# The first key only closes the splash; then Alt+F, X chooses the exit item.
# Keys go through XTEST to the focused window, as a keyboard's would.
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
xdotool key Escape
wait_for 30 only_window_shown "$app" "$window" || { echo "the splash window stayed"; exit 1; }
xdotool key alt+f
wait_for 30 popup_shown "$app" "$window" || { echo "Alt+F opened no menu"; exit 1; }
xdotool key x
program_ended() { ! kill -0 "$app" 2>/dev/null; }
if ! wait_for 30 program_ended; then
    echo "program did not quit"; kill $app; exit 1
fi
wait $app
status=$?
case "$title" in
    *"- Vesk") ;;
    *) echo "unexpected title: $title"; exit 1 ;;
esac
[ $status -eq 0 ] || { echo "exit status $status"; exit 1; }
echo "smoke test passed"
