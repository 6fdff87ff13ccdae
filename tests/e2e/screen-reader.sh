#!/bin/bash
# What a screen-reader user hears from Orca (speech off, read from its debug file) while the
# window is driven with real keys on Xvfb: presses of 命名！ and ストック, and the spin box.
# Usage: screen-reader.sh PROGRAM
set -euo pipefail
program=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
faketime_lib=$(ls /usr/lib/*/faketime/libfaketime.so.1 | head -n 1)
source "$here/x-session.sh"
require_tools orca xdotool

start_display
start_window_manager
start_accessibility_bus
# Orca keeps its settings under the home folder: a private one per run.
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" \
    XDG_DATA_HOME="$scratch/home/.local/share" XDG_CACHE_HOME="$scratch/home/.cache" \
    XDG_RUNTIME_DIR="$scratch" GSETTINGS_BACKEND=memory
mkdir -p "$HOME"
# With speech on, Orca waits for an audio device that is not there.
orca -d speech --debug-file="$scratch/orca.out" >"$scratch/orca.log" 2>&1 &
orca_pid=$!
pids+=("$orca_pid")
# Orca's first start on a fresh machine has taken over thirty seconds.
wait_for 900 grep -q 'ORCA: Starting registry' "$scratch/orca.out" ||
    fail "Orca did not start; its debug file ends: $(tail -n 3 "$scratch/orca.out" 2>&1)"

mkdir "$scratch/work"
start_program "$program" "$scratch/work" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    LD_PRELOAD="$faketime_lib" FAKETIME="2026-12-08 12:34:56.7895" FAKETIME_DONT_FAKE_MONOTONIC=1
sleep 1.5
# Orca takes each key in turn; its file is written in blocks, the rest as it stops.
for key in Return Tab Tab Tab Return Return Tab; do
    keys "$key"
    sleep 1
done
kill -INT "$orca_pid"
wait_for 50 bash -c "! kill -0 $orca_pid" || true
sed -n "s/.*SPEECH OUTPUT: '\(.*\(push button\|spin button\|notification\).*\)\.'.*/\1/p" \
    "$scratch/orca.out" >"$scratch/heard"
printf '%s\n' "命名！ push button" "notification 新しい名前 チリイヂヨ" "ストック push button" \
    "notification チリイヂヨ をストックしました" "notification この名前はストック済みです" \
    "文字数 2 spin button" >"$scratch/expected"
diff "$scratch/expected" "$scratch/heard" >&2 || fail "Orca said otherwise (< expected, > said)"
pass "Orca says the new name and the stock's result with the focus on the button, and meets the spin box as a spin button"
