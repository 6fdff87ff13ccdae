#!/bin/bash
# Start-up time and peak memory of the window program against a bare Qt window with one
# line edit, side by side on one Xvfb display; then the time of one press of "命名！".
# Usage: bench/window-startup.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail

build=$(realpath "${1:-build}")
rounds=${2:-30}
baseline="$build/bench/startup_baseline"
program="$build/bench/startup_window"
press="$build/bench/window_press"
for binary in "$baseline" "$program" "$press"; do
    [ -x "$binary" ] || { echo "missing $binary: build the bench targets first" >&2; exit 1; }
done

scratch=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$scratch"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$scratch/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -s "$scratch/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$scratch/display")"
unset QT_QPA_PLATFORM
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
sleep 1
cd "$scratch"

# Wall time of one run in microseconds.
time_run() {
    local start end
    start=$(date +%s%N)
    "$1" >/dev/null 2>&1
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# Warm the file cache once, then alternate the two programs.
time_run "$baseline" >/dev/null
time_run "$program" >/dev/null
for _ in $(seq "$rounds"); do
    time_run "$baseline" >>"$scratch/baseline.times"
    time_run "$program" >>"$scratch/program.times"
done
for _ in $(seq 7); do
    /usr/bin/time -f %M "$baseline" 2>&1 >/dev/null | tail -n 1 >>"$scratch/baseline.rss"
    /usr/bin/time -f %M "$program" 2>&1 >/dev/null | tail -n 1 >>"$scratch/program.rss"
done

base_time=$(median <"$scratch/baseline.times")
prog_time=$(median <"$scratch/program.times")
base_rss=$(median <"$scratch/baseline.rss")
prog_rss=$(median <"$scratch/program.rss")
awk -v b="$base_time" -v p="$prog_time" -v n="$rounds" 'BEGIN {
    printf "start-up to window shown (median of %d): baseline %.1f ms, kanatsumugi %.1f ms, ratio %.3f (target <= 1.15)\n", n, b / 1000, p / 1000, p / b }'
awk -v b="$base_rss" -v p="$prog_rss" 'BEGIN {
    printf "peak memory (median of 7): baseline %d KiB, kanatsumugi %d KiB, ratio %.3f (target <= 1.15)\n", b, p, p / b }'

printf 'one press of 命名！ (generation and repaint): '
"$press" -minimumvalue 100 2>/dev/null | awk '/msecs per iteration/ {print $1, "ms per press (target < 1 ms)"}'
