#!/usr/bin/env bash
# Starts the program on a real X server with the demo sheet, takes a screenshot,
# checks that it is not blank, drops a sheet on it from another program,
# selects a block and deselects it with Escape, opens a sheet with a picture
# of 20000 x 20000 pixels through the open dialog and sees the window drawn
# while it loads, and quits the program through its File menu.
set -u
vesk=$1
cli=$2
work=$3
drag_source=$4
for tool in Xvfb xdotool import convert; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is missing"
        exit 77
    fi
done
mkdir -p "$work"
"$cli" sample "$work/demo.tqb" --image 500x375 >/dev/null || exit 1
"$cli" sample "$work/dropped.tqb" --seed 2 --without name --image 500x375 >/dev/null || exit 1
# 1.2 GB, written while the first steps run.
"$cli" sample "$work/big.tqb" --name big --image 20000x20000 >/dev/null &
big_sample=$!
# Settings of its own, so that no earlier run's window or recent files count.
export XDG_CONFIG_HOME="$work/config"
rm -rf "$XDG_CONFIG_HOME"

source "$(dirname "$0")/polling.sh"
source "$(dirname "$0")/start_xvfb.sh"
xvfb=""
source_app=""
trap 'kill $source_app $xvfb 2>/dev/null; wait $big_sample 2>/dev/null; rm -f "$work/big.tqb"' EXIT
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

# A sheet dragged from another program and dropped on the window opens; it has
# no name, so the caption names its file.
"$drag_source" "$work/dropped.tqb" 700 500 >"$work/drag.log" 2>&1 &
source_app=$!
source_found() {
    source_window=$(xdotool search --onlyvisible --name "^vesk-drag-source$" 2>/dev/null | head -1)
    [ -n "$source_window" ]
}
wait_for 30 source_found || { echo "no drag source appeared"; cat "$work/drag.log"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$window")"
target_x=$((X + WIDTH / 2)) target_y=$((Y + HEIGHT / 2))
eval "$(xdotool getwindowgeometry --shell "$source_window")"
xdotool mousemove --sync $((X + 60)) $((Y + 40)) mousedown 1
for step in 1 2 3 4 5 6 7 8; do
    xdotool mousemove --sync $((X + 60 + (target_x - X - 60) * step / 8)) \
        $((Y + 40 + (target_y - Y - 40) * step / 8))
done
xdotool mouseup 1
dropped() { [ "$(xdotool getwindowname "$window")" = "dropped.tqb - Vesk" ]; }
wait_for 30 dropped || { echo "the drop did not open the sheet: $(xdotool getwindowname "$window")"; exit 1; }
kill $source_app 2>/dev/null
echo "dropped: $(xdotool getwindowname "$window")"

# A click on the block in the middle draws its blue outline; Escape takes it away.
blue_pixels() {
    import -window root "$work/screen.png" &&
        convert "$work/screen.png" -alpha off -fill black +opaque "rgb(0,0,255)" \
            -format '%[fx:int(mean*w*h+0.5)]' info:
}
unselected=$(blue_pixels)
outlined() { [ "$(blue_pixels)" -gt "$unselected" ]; }
outline_gone() { [ "$(blue_pixels)" -eq "$unselected" ]; }
# The drop left the pointer there; --sync would wait for a move that never comes.
xdotool mousemove "$target_x" "$target_y" click 1
wait_for 30 outlined || { echo "a click drew no selection outline"; exit 1; }
xdotool key Escape
wait_for 30 outline_gone || { echo "Escape left the selection outline"; exit 1; }
echo "selected and deselected with Escape"

# The big sheet is read on a thread of its own behind a progress dialog: while
# the dialog is up the window is drawn again, without the dropped sheet's
# picture or the open dialog's remains, where a window that waited for the
# load would still show them. The strip is the view's, above the status bar.
wait $big_sample || { echo "vesk-cli sample could not write the big sheet"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$window")"
strip="$((WIDTH - 40))x20+$((X + 20))+$((Y + HEIGHT - 70))"
strip_spread() {
    import -window root "$work/screen.png" &&
        convert "$work/screen.png" -crop "$strip" +repage -format '%[fx:standard_deviation]' info:
}
before=$(strip_spread)
awk -v s="$before" 'BEGIN { exit !(s > 0.01) }' || { echo "the strip shows no picture ($before)"; exit 1; }
xdotool key ctrl+o
wait_for 30 popup_shown "$app" "$window" || { echo "Ctrl+O opened no dialog"; exit 1; }
# The name goes to the dialog only once it has the keyboard; the dialog must
# then go, or the progress dialog, captioned as it is, could not be told apart.
dialog=$(xdotool search --onlyvisible --pid "$app" 2>/dev/null | grep -vx "$window" | head -1)
xdotool windowactivate --sync "$dialog" 2>/dev/null || true
xdotool windowfocus --sync "$dialog" 2>/dev/null || true
xdotool type --delay 0 "$work/big.tqb"
xdotool key Return
dialog_gone() { ! xdotool search --onlyvisible --pid "$app" 2>/dev/null | grep -qx "$dialog"; }
wait_for 30 dialog_gone || { echo "the open dialog took no file name"; exit 1; }
# The dialog is captioned as the open command, 1/2500図葉ﾌｧｲﾙを開く.
progress_shown() {
    progress=$(xdotool search --onlyvisible --pid "$app" --name "^1/2500" 2>/dev/null | grep -vx "$dialog" | head -1)
    [ -n "$progress" ]
}
wait_for 30 progress_shown || { echo "no progress dialog while the big sheet loads"; exit 1; }
uniform_while_loading() {
    spread=$(strip_spread) && progress_shown && awk -v s="$spread" 'BEGIN { exit !(s < 0.002) }'
}
spread=""
wait_for 10 uniform_while_loading || { echo "the window was not drawn while loading (spread $spread)"; exit 1; }
echo "drawn while loading: strip spread $before before, $spread during"
loaded() { [ "$(xdotool getwindowname "$window")" = "big - Vesk" ] && only_window_shown "$app" "$window"; }
wait_for 60 loaded || { echo "the big sheet did not open: $(xdotool getwindowname "$window")"; exit 1; }
echo "opened: $(xdotool getwindowname "$window")"

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
