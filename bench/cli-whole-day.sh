#!/usr/bin/env bash
# A whole day of names from kanatsumugi-cli, timed three ways, best of three runs each,
# the runs of the three kinds taken in turns so that a busy machine disturbs them alike:
#   plain    every name of the day to /dev/null (target: at most 2 s)
#   filter   a filter that matches no name, over the whole day (target: at most 1.3
#            times plain)
#   unique   --unique with filters over the whole day (peak memory is printed)
# Usage: bench/cli-whole-day.sh [path/to/kanatsumugi-cli]
set -euo pipefail

cli=${1:-build/src/cli/kanatsumugi-cli}
[[ -f $cli && -x $cli ]] || { echo "no executable at $cli (build it, or pass its path)" >&2; exit 2; }
command -v /usr/bin/time >/dev/null || { echo "needs GNU time (Debian package time)" >&2; exit 2; }

report=$(mktemp)
trap 'rm -f "$report"' EXIT
at=(--at 00:00:00.000)
plain=(-n 86400000 "${at[@]}")
# Five ヴ in a row: no name of the day has them, so every reading is read and tested.
filter=(-n 1 --contains ヴヴヴヴヴ --kana 5-9 --without ン "${at[@]}")
unique=(-n 86400000 --unique --kana 3-9 --without ッ "${at[@]}")

lines=$("$cli" "${plain[@]}" | wc -l)
[[ $lines -eq 86400000 ]] || { echo "expected 86400000 lines, got $lines" >&2; exit 1; }
if "$cli" "${filter[@]}" >/dev/null 2>&1; then
    echo "the filter matched a name; pick one that matches none" >&2
    exit 1
fi

# Prints "seconds peak-KB" of one run.
measure() {
    /usr/bin/time -f '%e %M' -o "$report" "$@" >/dev/null 2>&1 || true
    tail -1 "$report"
}

best_plain= best_filter= best_unique= peak_unique=0 peak_filter=0
smaller() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(b == "" || a < b) }'; }
for _ in 1 2 3; do
    read -r s _ < <(measure "$cli" "${plain[@]}")
    smaller "$s" "$best_plain" && best_plain=$s
    read -r s kb < <(measure "$cli" "${filter[@]}")
    smaller "$s" "$best_filter" && best_filter=$s
    ((kb > peak_filter)) && peak_filter=$kb
    read -r s kb < <(measure "$cli" "${unique[@]}")
    smaller "$s" "$best_unique" && best_unique=$s
    ((kb > peak_unique)) && peak_unique=$kb
done
found=$("$cli" "${unique[@]}" 2>/dev/null | wc -l || true)

ratio=$(awk -v a="$best_filter" -v b="$best_plain" 'BEGIN { printf "%.2f", a / b }')
printf 'plain, whole day:        %s s (%.1f M names/s)\n' "$best_plain" \
    "$(awk -v s="$best_plain" 'BEGIN { print 86.4 / s }')"
printf 'filter matching nothing: %s s, peak %d KB\n' "$best_filter" "$peak_filter"
printf 'ratio filter / plain:    %s (target 1.30 at most)\n' "$ratio"
printf 'unique with filters:     %s s, %d names, peak %d KB\n' "$best_unique" "$found" "$peak_unique"
status=0
if awk -v s="$best_plain" 'BEGIN { exit !(s > 2.0) }'; then
    echo "plain run slower than the 2 s target" >&2
    status=1
fi
if awk -v r="$ratio" 'BEGIN { exit !(r > 1.3) }'; then
    echo "filter run more than 1.3 times the plain run" >&2
    status=1
fi
exit $status
