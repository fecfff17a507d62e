# Sourced by the tests that need a real X server. start_xvfb WORK SCREEN [ARGS...]
# starts Xvfb on a free display (it writes the number once it accepts
# clients), sets $xvfb to its process and $display to ":N"; returns 1, after
# saying why, when it does not start.
source "$(dirname "${BASH_SOURCE[0]}")/polling.sh"

start_xvfb() {
    local work=$1 screen=$2
    shift 2
    rm -f "$work/display"
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp "$@" 3>"$work/display" \
        >"$work/xvfb.log" 2>&1 &
    xvfb=$!
    if ! wait_for 30 test -s "$work/display"; then
        echo "Xvfb did not start"; cat "$work/xvfb.log"; return 1
    fi
    display=":$(head -1 "$work/display")"
}
