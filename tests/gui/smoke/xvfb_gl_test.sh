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
source "$(dirname "$0")/start_xvfb.sh"
xvfb=""
trap 'kill $xvfb 2>/dev/null' EXIT
start_xvfb "$work" 1280x1024x24 -noreset || exit 1
DISPLAY=$display QT_QPA_PLATFORM=xcb "$program" "$@"
