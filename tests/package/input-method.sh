#!/bin/bash
# Types a name by hand through a real input method: ibus with the Anthy engine, reached by
# Qt's own ibus input context. The romaji "tsumugi" becomes ツムギ only if the edit box
# talks to the input method; the name is then stocked and checked in the file.
# Usage: input-method.sh PROGRAM
set -euo pipefail
program=$(realpath "$1")
source "$(dirname "$(realpath "$0")")/../e2e/x-session.sh"
require_tools ibus-daemon ibus xclip xdotool iconv

start_display
start_window_manager

# ibus keeps its address and settings under the home folder: a private one per run.
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" XDG_CACHE_HOME="$scratch/home/.cache"
export GSETTINGS_BACKEND=memory
mkdir -p "$HOME"
# The Anthy engine is a Python program started as "python3": the system's interpreter,
# which has the GObject bindings, must come first.
PATH="/usr/bin:/bin:$PATH" ibus-daemon --panel=disable --config=/usr/libexec/ibus-memconf \
    --replace >"$scratch/ibus.log" 2>&1 &
pids+=($!)
wait_for 100 bash -c 'ibus address | grep -q unix' || fail "ibus-daemon did not start"
wait_for 100 bash -c 'ibus engine anthy; [ "$(ibus engine)" = anthy ]' ||
    fail "the Anthy engine could not be selected"

work="$scratch/work"
mkdir "$work"
start_program "$program" "$work" QT_IM_MODULE=ibus
sleep 0.5

# Button1 has the focus; Tab moves into Edit1 and selects its text. Ctrl+J turns Anthy
# on (hiragana), F7 turns the preedit into katakana, Return commits it.
keys Tab ctrl+j
xdotool type --delay 60 tsumugi
keys F7 Return ctrl+j

clipboard_is() { [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ]; }
echo -n "" | xclip -i -selection clipboard >/dev/null 2>&1
keys ctrl+a ctrl+c
wait_for 30 clipboard_is "ツムギ" ||
    fail "edit box: expected ツムギ, got '$(xclip -o -selection clipboard 2>/dev/null)'"
pass "romaji typed through ibus and Anthy arrives in the name box as ツムギ"

# Edit1 -> CheckBox1 -> Button2 (ストック)
keys Tab Tab Return
wait_for 30 test -s "$work/$stock_name" || fail "stocking wrote no file"
printf '\x83\x63\x83\x80\x83\x4d\r\n' >"$scratch/expected"
cmp "$scratch/expected" "$work/$stock_name" || fail "stock file: $(od -An -tx1 "$work/$stock_name")"
pass "the typed name is stocked in Shift-JIS with CR LF"

wmctrl -c "$title"
wait_for_exit
[ "$exit_code" = 0 ] || fail "closing: exit code $exit_code"
