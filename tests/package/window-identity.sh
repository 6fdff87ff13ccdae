#!/bin/bash
# What a task bar learns from the running window: the program's 32 x 32 picture, pixel
# for pixel, and a window class that leads back to the launcher entry.
# Usage: window-identity.sh PROGRAM ICON_PNG DESKTOP_FILE
set -euo pipefail
program=$(realpath "$1")
icon_png=$(realpath "$2")
desktop_file=$(realpath "$3")
source "$(dirname "$(realpath "$0")")/../e2e/x-session.sh"
require_tools xprop convert od

start_display
start_window_manager
mkdir "$scratch/work"
start_program "$program" "$scratch/work"

# _NET_WM_ICON as decimal cardinals: width, height, then one ARGB word a pixel.
xprop -id "$window" -notype -f _NET_WM_ICON 32c _NET_WM_ICON |
    sed -e 's/^[^=]*= *//' | tr -d ' ' | tr ',' '\n' >"$scratch/wm-icon"
[ "$(head -n 2 "$scratch/wm-icon" | paste -sd x)" = 32x32 ] ||
    fail "the window's first icon is not 32 x 32: $(head -c 200 "$scratch/wm-icon")"
# Qt adds no other sizes for a single picture, so exactly 2 + 32 * 32 words.
[ "$(wc -l <"$scratch/wm-icon")" -eq $((2 + 32 * 32)) ] ||
    fail "the window carries $(wc -l <"$scratch/wm-icon") icon words, expected one 32 x 32 picture"

# Fully transparent pixels compare by alpha only: their colour is not defined.
normalise() { awk '{ a = int($1 / 16777216); print (a == 0 ? 0 : $1) }'; }
tail -n +3 "$scratch/wm-icon" | normalise >"$scratch/window-pixels"
convert "$icon_png" -depth 8 RGBA:- | od -An -tu1 -v | tr -s ' ' '\n' | grep -v '^$' |
    paste - - - - | awk '{ printf "%.0f\n", $4 * 16777216 + $1 * 65536 + $2 * 256 + $3 }' |
    normalise >"$scratch/file-pixels"
cmp -s "$scratch/file-pixels" "$scratch/window-pixels" ||
    fail "the window's icon differs from $icon_png in $(diff "$scratch/file-pixels" "$scratch/window-pixels" | grep -c '^<') pixels"
pass "the window carries the program's 32 x 32 icon"

# Task bars that match windows to launchers by class compare it with StartupWMClass.
wm_class=$(sed -n 's/^StartupWMClass=//p' "$desktop_file")
[ -n "$wm_class" ] || fail "$desktop_file has no StartupWMClass"
xprop -id "$window" WM_CLASS | grep -q "= \"$wm_class\"," ||
    fail "window class $(xprop -id "$window" WM_CLASS) does not name $wm_class"
pass "the window's class matches the launcher entry's StartupWMClass=$wm_class"

wmctrl -c "$title"
wait_for_exit
[ "$exit_code" = 0 ] || fail "closing: exit code $exit_code"
