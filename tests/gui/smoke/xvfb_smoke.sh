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

source "$(dirname "$0")/start_xvfb.sh"
xvfb=""
trap 'kill $xvfb 2>/dev/null' EXIT
start_xvfb "$work" 1024x768x24 || exit 1

DISPLAY=$display "$vesk" "$work/demo.tqb" >"$work/vesk.log" 2>&1 &
app=$!
window=""
for _ in $(seq 100); do
    window=$(DISPLAY=$display xdotool search --name " - Vesk$" 2>/dev/null | head -1)
    [ -n "$window" ] && break
    sleep 0.1
done
if [ -z "$window" ]; then
    echo "no main window appeared"; cat "$work/vesk.log"; exit 1
fi
sleep 1
title=$(DISPLAY=$display xdotool getwindowname "$window")
DISPLAY=$display import -window root "$work/screen.png"
spread=$(convert "$work/screen.png" -format '%[fx:standard_deviation]' info:)
echo "window: $title; screenshot spread: $spread"

# The first key only closes the splash; then Alt+F, X chooses the exit item.
# Keys go through XTEST to the focused window, as a keyboard's would.
export DISPLAY=$display
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
for keys in Escape alt+f x; do
    xdotool key "$keys"
    sleep 0.4
done
for _ in $(seq 50); do
    kill -0 $app 2>/dev/null || break
    sleep 0.1
done
if kill -0 $app 2>/dev/null; then
    echo "program did not quit"; kill $app; exit 1
fi
wait $app
status=$?
case "$title" in
    *"- Vesk") ;;
    *) echo "unexpected title: $title"; exit 1 ;;
esac
awk -v s="$spread" 'BEGIN { exit !(s > 0.01) }' || { echo "blank screenshot"; exit 1; }
[ $status -eq 0 ] || { echo "exit status $status"; exit 1; }
echo "smoke test passed"
