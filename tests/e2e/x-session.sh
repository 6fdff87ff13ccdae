# Sourced by the scripts here: scratch folder, clean-up, and a private Xvfb display
# with openbox, so that focus and closing behave as on a desktop.
# Needs: Xvfb, openbox, xdotool, wmctrl, xdpyinfo.

scratch=$(mktemp -d)
pids=()
# Waits for each process too, so that the next run never meets a dying X server.
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    for log in "$scratch"/*.log; do
        [ -s "$log" ] && sed "s/^/  $(basename "$log" .log): /" "$log" >&2
    done
    exit 1
}
pass() { echo "ok - $*"; }

# Polls COMMAND until it succeeds, for at most $1 tenths of a second.
wait_for() {
    local tries=$1
    shift
    for ((i = 0; i < tries; i++)); do
        if "$@" >/dev/null 2>&1; then return 0; fi
        sleep 0.1
    done
    return 1
}

require_tools() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null || fail "missing tool: $tool"
    done
}

# Xvfb picks a free display number itself, so parallel runs never share one.
start_display() {
    require_tools Xvfb xdpyinfo
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$scratch/display" \
        >/dev/null 2>&1 &
    pids+=($!)
    wait_for 50 test -s "$scratch/display" || fail "Xvfb did not start"
    export DISPLAY=":$(cat "$scratch/display")"
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
    wait_for 50 xdpyinfo || fail "Xvfb on $DISPLAY does not answer"
}

start_window_manager() {
    require_tools openbox wmctrl
    # A window mapped while openbox is still starting can stay unmanaged and unmapped;
    # the startup command runs once openbox is ready for windows.
    openbox --sm-disable --startup "touch $scratch/openbox-ready" >"$scratch/openbox.log" 2>&1 &
    pids+=($!)
    wait_for 100 test -e "$scratch/openbox-ready" || fail "openbox did not start"
    wait_for 50 wmctrl -m || fail "openbox does not answer"
}

title='カナツムギ'
lsan_suppressions="$(realpath "$(dirname "${BASH_SOURCE[0]}")/lsan-system-libraries.supp")"
stock_name='今まで名付けた名前.txt'

window_count_is() {
    [ "$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | wc -l)" -eq "$1" ]
}

# Starts PROGRAM in directory $2 with the environment that follows; sets app_pid and window.
start_program() {
    local program=$1 folder=$2
    shift 2
    # A sanitizer build would count the system libraries' own leaks against the program.
    (cd "$folder" && exec env LSAN_OPTIONS="${LSAN_OPTIONS:-}:suppressions=$lsan_suppressions" \
        "$@" "$program" 2>>"$scratch/program.log") &
    app_pid=$!
    pids+=("$app_pid")
    wait_for 100 window_count_is 1 || {
        xwininfo -root -tree | grep -F -e "$title" -e kanatsumugi >&2 || true
        ps -o pid,stat,wchan:20,etime,cmd --ppid "$app_pid" -p "$app_pid" >&2 || true
        fail "the window did not appear (program $(kill -0 "$app_pid" 2>/dev/null && echo running || echo ended))"
    }
    window=$(xdotool search --onlyvisible --name "^$title\$" | head -n 1)
    xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
    sleep 0.2
}

# Waits at most 5 s for the program to end; sets exit_code.
wait_for_exit() {
    wait_for 50 bash -c "! kill -0 $app_pid" || fail "the program did not end"
    exit_code=0
    wait "$app_pid" || exit_code=$?
}

keys() { xdotool key --delay 30 "$@"; }

# A private session bus with the accessibility bus on it, so that the window can be read
# and pressed as a screen reader does; `client` runs desktop-client.py.
start_accessibility_bus() {
    local launcher=/usr/libexec/at-spi-bus-launcher
    require_tools dbus-daemon "$launcher"
    /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || fail "python3-pyatspi is not installed"
    dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$scratch/bus-address" \
        >/dev/null 2>&1 &
    pids+=($!)
    wait_for 50 test -s "$scratch/bus-address" || fail "no session bus"
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$scratch/bus-address")
    export DBUS_SESSION_BUS_ADDRESS
    "$launcher" --launch-immediately >"$scratch/accessibility-bus.log" 2>&1 &
    pids+=($!)
}
client() { /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/desktop-client.py" "$@"; }
