#!/usr/bin/env bash
# The bash completion offers the options and their values. bash-completion's own
# helpers are replaced by minimal ones, so the test needs bash alone.
set -euo pipefail
file=$1

bash -n "$file"
_init_completion() {
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD - 1]}
    words=("${COMP_WORDS[@]}")
    cword=$COMP_CWORD
}
_filedir() { COMPREPLY=(FILES); }
# shellcheck source=/dev/null
source "$file"

complete_line() {
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    COMPREPLY=()
    _kanatsumugi_cli
    echo "${COMPREPLY[*]}"
}
expect() {
    local got
    got=$(complete_line "${@:2}")
    [[ $got == "$1" ]] || { echo "for '${*:2}': expected '$1', got '$got'" >&2; exit 1; }
}

expect '--starts-with' kanatsumugi-cli --star
expect 'plain tsv csv jsonl' kanatsumugi-cli --format ''
expect 'csv' kanatsumugi-cli --format=c
expect 'utf-8 utf-8-bom cp932' kanatsumugi-cli -n 5 --encoding ''
expect 'ascii' kanatsumugi-cli --romaji=a
expect 'FILES' kanatsumugi-cli --exclude-stock --stock-file ''
expect 'FILES' kanatsumugi-cli --stock-file=
expect '--unique' kanatsumugi-cli --exclude-stock --un
expect '-h' kanatsumugi-cli -h
expect '--stock --stock-file' kanatsumugi-cli --stock
expect '' kanatsumugi-cli --starts-with ''
expect '5 5-8' kanatsumugi-cli --morae 5
echo "completion ok"
