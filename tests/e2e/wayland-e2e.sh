#!/bin/bash
# The window in a Wayland session: a headless weston with XWayland, and a real AT-SPI bus
# through which the window is read and pressed as a screen reader does (headless weston
# has no input devices). With both displays the program goes through XWayland; with
# Wayland alone, or when the user asks for it, it runs natively.
# Usage: wayland-e2e.sh PROGRAM
set -euo pipefail

program=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
faketime_lib=$(ls /usr/lib/*/faketime/libfaketime.so.1 | head -n 1)

source "$here/x-session.sh"
require_tools weston Xwayland xdotool xwininfo
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

start_accessibility_bus

# weston puts XWayland's socket where every X client looks for it.
if [ ! -d /tmp/.X11-unix ]; then
    mkdir -p /tmp/.X11-unix && chmod 1777 /tmp/.X11-unix
fi
runtime="$scratch/runtime"
mkdir -m 0700 "$runtime"
printf '[core]\nidle-time=0\n[shell]\npanel-position=none\n[input-method]\npath=\n' >"$scratch/weston.ini"
XDG_RUNTIME_DIR="$runtime" weston --backend=headless-backend.so --socket=kanatsumugi-e2e \
    --xwayland --config="$scratch/weston.ini" --log="$scratch/weston.log" >/dev/null 2>&1 &
pids+=($!)
wait_for 100 test -S "$runtime/kanatsumugi-e2e" || fail "weston did not start"
wait_for 100 grep -q 'xserver listening on display' "$scratch/weston.log" || fail "weston has no XWayland"
x_display=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$scratch/weston.log" | head -n 1)

# Starts the program in folder $1 with the clock at 12:34:56.789 UTC and the environment that
# follows; sets app_pid. A sanitizer build unwinds fully, so that what Qt's Wayland client
# leaves at exit is known by its library even where the frame above it lies in a graphics
# driver unloaded before the leak report.
start_in_session() {
    local folder=$1
    shift
    (cd "$folder" && exec env XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=kanatsumugi-e2e \
        QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LD_PRELOAD="$faketime_lib" \
        ASAN_OPTIONS="${ASAN_OPTIONS:-}:verify_asan_link_order=0:fast_unwind_on_malloc=0" \
        LSAN_OPTIONS="${LSAN_OPTIONS:-}:suppressions=$lsan_suppressions:print_suppressions=0" \
        FAKETIME="2026-12-08 12:34:56.7895" FAKETIME_DONT_FAKE_MONOTONIC=1 "$@" \
        "$program" 2>>"$scratch/program.log") &
    app_pid=$!
    pids+=("$app_pid")
}
name_is() { [ "$(client name 2>/dev/null)" = "$1" ]; }
x_windows() { DISPLAY=$x_display xdotool search --onlyvisible --name "^$title\$" 2>/dev/null || true; }
# チリイヂヨ in Shift-JIS, as the stock file holds it
printf '\x83\x60\x83\x8a\x83\x43\x83\x61\x83\x88\r\n' >"$scratch/expected"

work="$scratch/xwayland"
mkdir "$work"
# As in Debian's GNOME session.
start_in_session "$work" DISPLAY="$x_display" XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME
wait_for 100 name_is "チリイヂヨ" || fail "no name read over AT-SPI: '$(client name 2>&1)'"
window=$(x_windows | head -n 1)
[ -n "$window" ] || fail "with both displays the window is not on XWayland's $x_display"
[ "$(client step-up)" = 3 ] || fail "the spin box reported no step to 3"
client press "ストック"
wait_for 30 cmp -s "$scratch/expected" "$work/$stock_name" || fail "stocking over AT-SPI wrote no name"
DISPLAY=$x_display client close "$window"
wait_for_exit
[ "$exit_code" = 0 ] || fail "closing on XWayland: exit code $exit_code"
pass "both displays: XWayland window, name read and stocked, value change reported, closed with 0"

# The user's own choice of platform wins over the preference for X11.
for setting in "QT_QPA_PLATFORM=" "DISPLAY=$x_display QT_QPA_PLATFORM=wayland"; do
    work="$scratch/native-${setting//[^a-z]/}"
    mkdir "$work"
    start_in_session "$work" $setting
    wait_for 100 name_is "チリイヂヨ" || fail "$setting: no name read over AT-SPI"
    [ -z "$(x_windows)" ] || fail "$setting: the window went to XWayland"
    client press "ストック"
    wait_for 30 cmp -s "$scratch/expected" "$work/$stock_name" || fail "$setting: nothing stocked"
    # Headless weston cannot click a close box; a session's end arrives as SIGTERM.
    kill -TERM "$app_pid"
    wait_for_exit
    [ "$exit_code" = 0 ] || fail "$setting: exit code $exit_code"
done
pass "native Wayland (alone, or chosen by QT_QPA_PLATFORM): name read and stocked, exit code 0"

[ ! -s "$scratch/program.log" ] || fail "the program wrote to stderr: $(cat "$scratch/program.log")"
pass "nothing on stderr"
