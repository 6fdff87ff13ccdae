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
require_tools xclip xprop xwininfo

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

# Without a display, or with one that cannot be opened, the program says so in one line.
for setting in "DISPLAY=" "DISPLAY=:64999" "WAYLAND_DISPLAY=wayland-none" \
    "QT_QPA_PLATFORM=xcb" "QT_QPA_PLATFORM=wayland"; do
    set +e
    message=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$setting" "$program" 2>&1)
    code=$?
    set -e
    [ "$code" -eq 1 ] && [ "$(printf '%s\n' "$message" | wc -l)" -eq 1 ] && [[ $message == *display* ]] ||
        fail "$setting: code $code, '$message'"
done
message=$(env -u WAYLAND_DISPLAY DISPLAY=:64999 QT_QPA_PLATFORM=wayland "$program" 2>&1 || true)
[[ $message != *:64999* ]] || fail "Wayland chosen: the line names the X display: '$message'"
pass "no display: one line each, exit code $code, naming the display that failed"

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
# font, and the window stays at its designed position.
run_program "$work" QT_FONT_DPI=120
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
