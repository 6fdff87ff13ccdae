#!/bin/bash
# Qt's own texts in Japanese under an English locale: the running program has Qt's Japanese
# translation loaded (the widget tests check the menu texts it gives), and a right click
# into the name box opens the context menu, closed again by Escape.
# Usage: context-menu.sh PROGRAM [SCREENSHOT_PNG]   (saves the open menu with the window)
set -euo pipefail
program=$(realpath "$1")
screenshot=${2:+$(realpath "$2")}
source "$(dirname "$(realpath "$0")")/../e2e/x-session.sh"
require_tools xdotool import xwininfo

start_display
start_window_manager
mkdir "$scratch/work"
start_program "$program" "$scratch/work" LANG=C.UTF-8 LC_ALL=C.UTF-8 LANGUAGE=

# The translation is mapped into the process as the program loads it.
grep -q '/qtbase_ja\.qm$' "/proc/$app_pid/maps" ||
    fail "the program has not loaded qtbase_ja.qm (package qt6-translations-l10n)"
menus() { { xdotool search --onlyvisible --classname kanatsumugi 2>/dev/null || true; } | wc -l; }
windows_before=$(menus)
# Into the name box (its whole name selected), then the right click at its right end.
keys Tab
xdotool mousemove --window "$window" 100 10 click 3
wait_for 50 test "$(menus)" -gt "$windows_before" || fail "no context menu opened"
if [ -n "$screenshot" ]; then
    sleep 0.3
    x=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ {print $4}')
    y=$(xwininfo -id "$window" | awk '/Absolute upper-left Y/ {print $4}')
    import -window root -crop "400x230+$((x - 10))+$((y - 30))" +repage "$screenshot"
fi
keys Escape
wait_for 30 test "$(menus)" -eq "$windows_before" || fail "Escape did not close the menu"
wmctrl -c "$title"
wait_for_exit
[ "$exit_code" = 0 ] || fail "closing: exit code $exit_code"
pass "Qt's Japanese translation is loaded under an English locale; the context menu opens and closes"
