#!/bin/sh
# Builds the stock loader's libFuzzer target with clang++ and runs it for a few seconds.
# Usage: run-loader-fuzzer.sh <source root> <work folder> [seconds]
# Exits 77 (skipped) only when clang++ is not installed.
set -eu
root=$1
work=$2
seconds=${3:-10}

cxx=$(command -v clang++ || command -v clang++-14 || true)
if [ -z "$cxx" ]; then
    echo "clang++ is not installed: the fuzzer is skipped"
    exit 77
fi

mkdir -p "$work/corpus" "$work/seeds"
fuzzer="$work/stock_loader_fuzzer"
sources="$root/src/stock/StockErrors.cpp $root/src/stock/StockFile.cpp
         $root/src/stock/StockList.cpp $root/src/stock/StockText.cpp
         $root/tests/stock/StockLoaderFuzzer.cpp"

rebuild=no
[ -x "$fuzzer" ] || rebuild=yes
for f in $sources "$root"/src/stock/*.h; do
    [ "$f" -nt "$fuzzer" ] && rebuild=yes
done
if [ "$rebuild" = yes ]; then
    # shellcheck disable=SC2046,SC2086
    "$cxx" -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined \
        -I"$root/src" \
        $(pkg-config --cflags Qt6Core) $sources $(pkg-config --libs Qt6Core) -o "$fuzzer"
fi

printf 'A\r\n\r\nB' > "$work/seeds/three-entries"
printf '\203J\203i\r\n\203A\203C\r\n' > "$work/seeds/shift-jis"
printf 'A\nB\rC\r\n\n\r' > "$work/seeds/mixed-breaks"
printf 'A\r\nB\000C\r\n' > "$work/seeds/nul"
printf '\357\273\277A\r\n' > "$work/seeds/bom"
printf '\377\376A\000\r\000\n\000' > "$work/seeds/utf-16"
printf '0123456789abcde\r\n0123456789abcd\r\r\n' > "$work/seeds/block-edges"

"$fuzzer" -artifact_prefix="$work/" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 \
    "$work/corpus" "$work/seeds"
