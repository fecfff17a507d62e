#!/usr/bin/env bash
# Runs a Qt Test program on its own Xvfb server with the xcb platform, where
# Mesa's software renderer gives OpenGL (the offscreen platform gives none).
# Xvfb and Mesa come with scripts/deps.sh: without them the test fails.
set -u
program=$1
work=$2
shift 2
command -v Xvfb >/dev/null || { echo "Xvfb is missing: run scripts/deps.sh"; exit 1; }
mkdir -p "$work"
rm -f "$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
if [ ! -s "$work/display" ]; then
    echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1
fi
DISPLAY=":$(head -1 "$work/display")" QT_QPA_PLATFORM=xcb "$program" "$@"
