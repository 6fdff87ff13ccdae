#!/usr/bin/env bash
# Times kanatsumugi-cli making every name of a whole day beside a plain `cat` of the
# same bytes from a (cached) file, best of three runs each.
# Usage: bench/cli-whole-day.sh [path/to/kanatsumugi-cli]
set -euo pipefail

cli=${1:-build/src/cli/kanatsumugi-cli}
[[ -f $cli && -x $cli ]] || { echo "no executable at $cli (build it, or pass its path)" >&2; exit 2; }

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
names="$dir/day.txt"
args=(-n 86400000 --at 00:00:00.000)

"$cli" "${args[@]}" >"$names"
lines=$(wc -l <"$names")
[[ $lines -eq 86400000 ]] || { echo "expected 86400000 lines, got $lines" >&2; exit 1; }
bytes=$(stat -c %s "$names")
cat "$names" >/dev/null # into the page cache

best() {
    local best_s=
    for _ in 1 2 3; do
        local start end s
        start=$(date +%s.%N)
        "$@" >/dev/null
        end=$(date +%s.%N)
        s=$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')
        if [[ -z $best_s ]] || awk -v s="$s" -v b="$best_s" 'BEGIN { exit !(s < b) }'; then
            best_s=$s
        fi
    done
    printf '%.3f' "$best_s"
}

cli_s=$(best "$cli" "${args[@]}")
cat_s=$(best cat "$names")
printf 'bytes of output:        %d (%d names)\n' "$bytes" "$lines"
printf 'kanatsumugi-cli:        %s s (%.1f M names/s)\n' "$cli_s" \
    "$(awk -v n="$lines" -v s="$cli_s" 'BEGIN { print n / s / 1e6 }')"
printf 'cat of the same bytes:  %s s\n' "$cat_s"
printf 'ratio cli / cat:        %.2f\n' "$(awk -v a="$cli_s" -v b="$cat_s" 'BEGIN { print a / b }')"
if awk -v s="$cli_s" 'BEGIN { exit !(s > 2.0) }'; then
    echo "slower than the 2 s target" >&2
    exit 1
fi
