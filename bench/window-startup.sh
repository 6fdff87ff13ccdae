#!/bin/bash
# Start-up time and peak memory of the window program against a bare Qt window with one
# line edit, side by side on one Xvfb display; then the time of one press of "命名！".
# Usage: bench/window-startup.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail

build=$(realpath "${1:-build}")
rounds=${2:-30}
timer="$build/bench/startup_map_timer"
baseline="$build/bench/startup_baseline"
program="$build/src/window/kanatsumugi"
press="$build/bench/window_press"
for binary in "$timer" "$baseline" "$program" "$press"; do
    [ -x "$binary" ] || { echo "missing $binary: build the bench targets first" >&2; exit 1; }
done

scratch=$(mktemp -d)
xvfb_pid=
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

# No window manager: the first map after a start is the program's own window.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$scratch/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$scratch/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$scratch/display")"
unset QT_QPA_PLATFORM
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$scratch}"
cd "$scratch" # the program's stock file, if any, stays here

"$timer" "$rounds" "$baseline" "$program"

printf 'one press of 命名！ (generation and repaint): '
QT_QPA_PLATFORM=offscreen "$press" -minimumvalue 100 2>/dev/null |
    awk '/msecs per iteration/ {print $1, "ms per press (target < 1 ms)"}'
