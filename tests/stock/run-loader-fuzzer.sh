#!/bin/sh
# Runs the stock loader's libFuzzer target on its seeds for a while.
# Usage: run-loader-fuzzer.sh <fuzzer> <work folder> [seconds]
set -eu
fuzzer=$1
work=$2
seconds=${3:-10}

mkdir -p "$work/corpus" "$work/seeds"
printf 'A\r\n\r\nB' > "$work/seeds/three-entries"
printf '\203J\203i\r\n\203A\203C\r\n' > "$work/seeds/shift-jis"
printf 'A\nB\rC\r\n\n\r' > "$work/seeds/mixed-breaks"
printf 'A\r\nB\000C\r\n' > "$work/seeds/nul"
printf '\357\273\277A\r\n' > "$work/seeds/bom"
printf '\377\376A\000\r\000\n\000' > "$work/seeds/utf-16"
printf '0123456789abcde\r\n0123456789abcd\r\r\n' > "$work/seeds/block-edges"

"$fuzzer" -artifact_prefix="$work/" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 \
    "$work/corpus" "$work/seeds"
