# Sourced by the tests that drive a program on an X server: they wait for what
# they expect to see rather than for fixed times, which are too long on a quiet
# machine and too short on a busy one.

# wait_for SECONDS COMMAND [ARGS...] runs the command every tenth of a second
# until it succeeds; false when it still fails after SECONDS.
wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# only_window_shown PID WINDOW: WINDOW is the program's one window on the
# screen (its splash window and menus are gone).
only_window_shown() {
    [ "$(xdotool search --onlyvisible --pid "$1" 2>/dev/null)" = "$2" ]
}

# popup_shown PID WINDOW: another window of the program, a menu say, is on
# the screen beside WINDOW.
popup_shown() {
    xdotool search --onlyvisible --pid "$1" 2>/dev/null | grep -qvx "$2"
}
