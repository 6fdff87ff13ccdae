#!/bin/bash
# Drives the window program on its own Xvfb display with openbox as window manager.
# Usage: window-e2e.sh PROGRAM   (KANATSUMUGI_SCREENSHOT=file.png also saves the window)
set -euo pipefail

program=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
# チリイヂヨ, the name made at 12:34:56.789 UTC, in Shift-JIS
first_name_sjis='\x83\x60\x83\x8a\x83\x43\x83\x61\x83\x88'
faketime_lib=$(ls /usr/lib/*/faketime/libfaketime.so.1 | head -n 1)

source "$here/x-session.sh"
require_tools xclip xprop xwininfo strace

# The clock frozen at 12:34:56.789 UTC. A sanitizer build would refuse to run behind the
# preloaded clock without the link-order check off.
run_program() {
    local folder=$1
    shift
    start_program "$program" "$folder" LD_PRELOAD="$faketime_lib" \
        ASAN_OPTIONS="${ASAN_OPTIONS:-}:verify_asan_link_order=0" \
        FAKETIME="2026-12-08 12:34:56.7895" FAKETIME_DONT_FAKE_MONOTONIC=1 "$@"
}

# The window with its frame, cut from the screen.
save_screenshot() {
    local x y w h left right top bottom
    x=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ {print $4}')
    y=$(xwininfo -id "$window" | awk '/Absolute upper-left Y/ {print $4}')
    w=$(xwininfo -id "$window" | awk '/Width:/ {print $2}')
    h=$(xwininfo -id "$window" | awk '/Height:/ {print $2}')
    IFS=', ' read -r left right top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS | cut -d= -f2)
    import -window root -crop "$((w + left + right))x$((h + top + bottom))+$((x - left))+$((y - top))" \
        +repage "$1"
}

clipboard_is() { [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ]; }

# Tab from Button1 into Edit1 (selecting all), copy, back to Button1; checks the text.
edit_box_shows() {
    echo -n "" | xclip -i -selection clipboard >/dev/null 2>&1
    keys Tab ctrl+c shift+Tab
    wait_for 30 clipboard_is "$1" || fail "edit box: expected '$1', got '$(xclip -o -selection clipboard 2>/dev/null)'"
}

start_display
start_window_manager

# A failed start passes on Qt's own reason (the plugin that failed, the ones there are),
# adds one line of the program's own where a display could not be opened, and exits with 1.
start_fails() {
    local expected=$1 unexpected=$2
    shift 2
    message=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$scratch" \
        "$@" "$program" 2>&1) && code=0 || code=$?
    [[ $code == 1 && $message == *"Available platform plugins are:"* && $message == *"$expected"* &&
        $message != *"$unexpected"* ]] || fail "$*: code $code, '$message'"
}
start_fails "カナツムギ: 画面（DISPLAY が未設定）を開けません" "(none)" DISPLAY=
start_fails "カナツムギ: 画面（:64999）を開けません" "(none)" DISPLAY=:64999
start_fails 'platform plugin "bogus"' "カナツムギ:" DISPLAY="$DISPLAY" QT_QPA_PLATFORM=bogus
start_fails "カナツムギ: 画面（DISPLAY が未設定）を開けません" wayland-none \
    WAYLAND_DISPLAY=wayland-none QT_QPA_PLATFORM=xcb
start_fails "カナツムギ: 画面（wayland-0）を開けません" :64999 DISPLAY=:64999 QT_QPA_PLATFORM=wayland
# What is written during start reaches stderr at once, even when the start then crashes.
message=$(strace -f -qq -o /dev/null -e trace=connect -e inject=connect:signal=SEGV \
    env QT_LOGGING_RULES='qt.qpa.*.debug=true' "$program" 2>&1) && code=0 || code=$?
[[ $code == 139 && $message == *"qt.qpa.plugin: init_platform"* ]] ||
    fail "crash during start: code $code, '$message'"
pass "a failed start shows Qt's reason and names the display; what start-up says is never held back"

work="$scratch/run"
mkdir "$work"
run_program "$work"
edit_box_shows "チリイヂヨ"
pass "the first name is in the edit box"
if [ -n "${KANATSUMUGI_SCREENSHOT:-}" ]; then
    save_screenshot "$KANATSUMUGI_SCREENSHOT"
fi

keys Tab a b c shift+Tab
edit_box_shows "abc"
keys Return
edit_box_shows "チリイヂヨ"
pass "Enter on the focused generate button makes a name"

keys Tab Tab Tab Return
wait_for 30 test -f "$work/$stock_name" || fail "stocking wrote no file"
printf "$first_name_sjis\r\n" >"$scratch/expected"
cmp "$scratch/expected" "$work/$stock_name" || fail "stock file bytes"
keys Return
sleep 0.3
cmp "$scratch/expected" "$work/$stock_name" || fail "a second press changed the file"
pass "stock file written in Shift-JIS with CR LF, once"

keys Escape
sleep 0.3
kill -0 "$app_pid" && window_count_is 1 || fail "Escape closed the window"
wmctrl -c "$title"
wait_for_exit
[ "$exit_code" = 0 ] || fail "closing: exit code $exit_code"
pass "Escape leaves the window open; closing it exits 0"

run_program "$work"
keys Tab Tab Tab Return
printf "$first_name_sjis\r\n$first_name_sjis\r\n" >"$scratch/expected"
wait_for 30 cmp -s "$scratch/expected" "$work/$stock_name" || fail "the stock was not read back"
kill -TERM "$app_pid"
wait_for_exit
[ "$exit_code" = 0 ] || fail "SIGTERM: exit code $exit_code"
pass "a restart reads the stock back; SIGTERM exits 0"

blocked="$scratch/blocked"
mkdir -p "$blocked/$stock_name"
run_program "$blocked"
keys Tab Tab Tab Return
wait_for 50 window_count_is 2 || fail "no error box for a directory in the stock file's place"
keys Return
wait_for 50 window_count_is 1 || fail "the error box did not close"
kill -0 "$app_pid" || fail "the program ended after the error"
keys shift+Tab shift+Tab shift+Tab
edit_box_shows "チリイヂヨ"
wmctrl -c "$title"
wait_for_exit
[ "$exit_code" = 0 ] || fail "closing after an error: exit code $exit_code"
pass "an unwritable stock file shows an error box and the program goes on"

# At 120 dots per inch the layout scales by the measured text height of the fallback
# font, and the window stays at its designed position. Qt's start-up debug output, when
# asked for, goes through.
run_program "$work" QT_FONT_DPI=120 QT_LOGGING_RULES='qt.qpa.*.debug=true'
grep -q '^qt\.qpa\.xcb' "$scratch/program.log" || fail "no qt.qpa.xcb debug output on stderr"
width=$(xwininfo -id "$window" | awk '/Width:/ {print $2}')
height=$(xwininfo -id "$window" | awk '/Height:/ {print $2}')
x=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ {print $4}')
y=$(xwininfo -id "$window" | awk '/Absolute upper-left Y/ {print $4}')
IFS=', ' read -r left right top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS | cut -d= -f2)
[ "$((x - left)),$((y - top))" = "615,142" ] || fail "frame corner at $((x - left)),$((y - top))"
# The font becomes 15 pixels, its text height 16: 190 x 51 times 16/12.
[ "${width}x$height" = "253x68" ] || fail "client area ${width}x$height at 120 dpi"
wmctrl -c "$title"
wait_for_exit
pass "at 120 dpi: client area ${width}x$height, frame corner still at 615,142"
