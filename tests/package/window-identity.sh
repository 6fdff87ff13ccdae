#!/bin/bash
# What a task bar learns from the running window: the program's icon in the usual sizes,
# its 32 x 32 picture pixel for pixel, and an ASCII window class that leads back to the
# launcher entry.
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
# The icon is a run of pictures, each its width, its height and then its pixels.
sizes=$(awk 'skip > 0 { skip--; next } !w { w = $1; next } { print w "x" $1; skip = w * $1; w = 0 }' \
    "$scratch/wm-icon" | paste -sd' ')
[ "$sizes" = "16x16 22x22 24x24 32x32 48x48 64x64 128x128" ] || fail "the window's icon sizes: $sizes"
offset=$((2 + 16 * 16 + 2 + 22 * 22 + 2 + 24 * 24 + 2))

# Fully transparent pixels compare by alpha only: their colour is not defined.
normalise() { awk '{ a = int($1 / 16777216); print (a == 0 ? 0 : $1) }'; }
sed -n "$((offset + 1)),$((offset + 32 * 32))p" "$scratch/wm-icon" | normalise >"$scratch/window-pixels"
convert "$icon_png" -depth 8 RGBA:- | od -An -tu1 -v | tr -s ' ' '\n' | grep -v '^$' |
    paste - - - - | awk '{ printf "%.0f\n", $4 * 16777216 + $1 * 65536 + $2 * 256 + $3 }' |
    normalise >"$scratch/file-pixels"
cmp -s "$scratch/file-pixels" "$scratch/window-pixels" ||
    fail "the window's icon differs from $icon_png in $(diff "$scratch/file-pixels" "$scratch/window-pixels" | grep -c '^<') pixels"
pass "the window carries the icon in the sizes task bars ask for ($sizes), the 32 x 32 one the program's own"

# Task bars that match windows to launchers by class compare it with StartupWMClass.
wm_class=$(sed -n 's/^StartupWMClass=//p' "$desktop_file")
[ -n "$wm_class" ] || fail "$desktop_file has no StartupWMClass"
xprop -id "$window" WM_CLASS | grep -q "= \"$wm_class\", \"$wm_class\"$" ||
    fail "window class $(xprop -id "$window" WM_CLASS) is not $wm_class, $wm_class"
pass "the window's class matches the launcher entry's StartupWMClass=$wm_class"

wmctrl -c "$title"
wait_for_exit
[ "$exit_code" = 0 ] || fail "closing: exit code $exit_code"
