#!/usr/bin/env bash
# A whole day of names from kanatsumugi-cli, timed against a plain C++ loop that prints the
# same names, best of three runs each, the kinds taken in turns so that a busy machine
# disturbs them alike:
#   plain       every name of the day to /dev/null (target: at most 1.0 times the loop)
#   filter      a filter that matches no name, over the whole day (target: at most 1.3
#               times plain)
#   impossible  a filter no name can meet, refused at once (target: under 10 ms past the
#               program's own start, timed as --help in the same run: starting a program
#               that links Qt Core takes 5 to 10 ms on a slow machine by itself)
#   unique      --unique with filters over the whole day (peak memory is printed)
#   natural     --natural=high --new-words --polite over the whole day (target: at most
#               1.3 times plain)
# Usage: bench/cli-whole-day.sh [path/to/kanatsumugi-cli [path/to/cli_plain_loop]]
set -euo pipefail

cli=${1:-build/src/cli/kanatsumugi-cli}
loop=${2:-build/bench/cli_plain_loop}
for program in "$cli" "$loop"; do
    [[ -f $program && -x $program ]] || { echo "no executable at $program (build it, or pass its path)" >&2; exit 2; }
done
command -v /usr/bin/time >/dev/null || { echo "needs GNU time (Debian package time)" >&2; exit 2; }

report=$(mktemp)
trap 'rm -f "$report"' EXIT
at=(--at 00:00:00.000)
plain=(-n 86400000 "${at[@]}")
# Five ヴ in a row: no name of the day has them, so every reading is read and tested.
filter=(-n 1 --contains ヴヴヴヴヴ --kana 5-9 --without ン "${at[@]}")
impossible=(-n 1 --starts-with ッ "${at[@]}")
unique=(-n 86400000 --unique --kana 3-9 --without ッ "${at[@]}")
natural=(-n 86400000 --natural=high --new-words --polite "${at[@]}")

cmp <("$cli" "${plain[@]}") <("$loop") || { echo "the command and the loop print different names" >&2; exit 1; }
if "$cli" "${filter[@]}" >/dev/null 2>&1; then
    echo "the filter matched a name; pick one that matches none" >&2
    exit 1
fi

# Prints "seconds peak-KB" of one run.
measure() {
    /usr/bin/time -f '%e %M' -o "$report" "$@" >/dev/null 2>&1 || true
    tail -1 "$report"
}

best_loop= best_plain= best_filter= best_unique= best_natural= peak_unique=0
smaller() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(b == "" || a < b) }'; }
for _ in 1 2 3; do
    read -r s _ < <(measure "$loop")
    smaller "$s" "$best_loop" && best_loop=$s
    read -r s _ < <(measure "$cli" "${plain[@]}")
    smaller "$s" "$best_plain" && best_plain=$s
    read -r s _ < <(measure "$cli" "${filter[@]}")
    smaller "$s" "$best_filter" && best_filter=$s
    read -r s kb < <(measure "$cli" "${unique[@]}")
    smaller "$s" "$best_unique" && best_unique=$s
    ((kb > peak_unique)) && peak_unique=$kb
    read -r s _ < <(measure "$cli" "${natural[@]}")
    smaller "$s" "$best_natural" && best_natural=$s
done
found=$("$cli" "${unique[@]}" 2>/dev/null | wc -l || true)
# Mean wall time of 20 runs, beside 20 runs of /bin/true for what starting a process costs.
mean_ms() {
    local start
    start=$(date +%s%N)
    for _ in $(seq 20); do "$@" >/dev/null 2>&1 || true; done
    echo $(( ($(date +%s%N) - start) / 20000000 ))
}
impossible_ms=$(mean_ms "$cli" "${impossible[@]}")
help_ms=$(mean_ms "$cli" --help)
true_ms=$(mean_ms /bin/true)

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
plain_ratio=$(ratio "$best_plain" "$best_loop")
filter_ratio=$(ratio "$best_filter" "$best_plain")
natural_ratio=$(ratio "$best_natural" "$best_plain")
printf 'plain C++ loop:          %s s\n' "$best_loop"
printf 'plain, whole day:        %s s, %s of the loop (target 1.00 at most)\n' "$best_plain" "$plain_ratio"
printf 'filter matching nothing: %s s, %s of plain (target 1.30 at most)\n' "$best_filter" "$filter_ratio"
printf 'impossible filter:       %d ms, %d ms past the program'"'"'s own start (--help: %d ms, /bin/true: %d ms; target under 10)\n' \
    "$impossible_ms" $((impossible_ms - help_ms)) "$help_ms" "$true_ms"
printf 'unique with filters:     %s s, %d names, peak %d KB\n' "$best_unique" "$found" "$peak_unique"
printf 'natural, new, polite:    %s s, %s of plain (target 1.30 at most)\n' "$best_natural" "$natural_ratio"
status=0
awk -v r="$plain_ratio" 'BEGIN { exit !(r > 1.0) }' && { echo "plain run slower than the loop" >&2; status=1; }
awk -v r="$filter_ratio" 'BEGIN { exit !(r > 1.3) }' && { echo "filter run more than 1.3 times plain" >&2; status=1; }
awk -v r="$natural_ratio" 'BEGIN { exit !(r > 1.3) }' && { echo "natural run more than 1.3 times plain" >&2; status=1; }
((impossible_ms - help_ms < 10)) || { echo "the impossible filter took 10 ms or more past the start" >&2; status=1; }
exit $status
