#!/bin/bash
# Checks the installed Debian package as a user meets it, then removes it and checks that
# nothing of it is left. Run as root after `apt-get install ./kanatsumugi_*.deb`.
set -euo pipefail
here=$(dirname "$(realpath "$0")")
source "$here/../e2e/x-session.sh"
id=io.github.kanatsumugi.Kanatsumugi
require_tools dpkg-query apt-get desktop-file-validate appstreamcli man iconv xclip

[ "$(dpkg-query -W -f='${db:Status-Status}' kanatsumugi 2>/dev/null)" = installed ] ||
    fail "the kanatsumugi package is not installed"
dpkg-query -L kanatsumugi | while read -r path; do
    if [ -f "$path" ]; then echo "$path"; fi
done >"$scratch/files"
for program in kanatsumugi kanatsumugi-cli; do
    [ "$(command -v "$program")" = "/usr/bin/$program" ] || fail "$program is not /usr/bin/$program"
done
grep -qx "/usr/share/icons/hicolor/32x32/apps/$id.png" "$scratch/files" || fail "the package has no 32 x 32 icon"
desktop-file-validate "/usr/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "/usr/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
pass "installed: $(wc -l <"$scratch/files") files; launcher entry and metadata valid"

kanatsumugi-cli -n 3 >"$scratch/names"
[ "$(wc -l <"$scratch/names")" -eq 3 ] || fail "kanatsumugi-cli -n 3 printed: $(cat "$scratch/names")"
# Two to nine katakana (ァ to ヴ and ー) each.
names=$(LC_ALL=C.UTF-8 grep -cP '^[\x{30A1}-\x{30F4}\x{30FC}]{2,9}$' "$scratch/names" || true)
[ "$names" = 3 ] || fail "not three names: $(cat "$scratch/names")"
pass "kanatsumugi-cli -n 3 prints three names: $(paste -sd' ' "$scratch/names")"
for completion in /usr/share/bash-completion/completions/kanatsumugi-cli \
    /usr/share/zsh/vendor-completions/_kanatsumugi-cli; do
    grep -qx "$completion" "$scratch/files" || fail "the package has no $completion"
done
kanatsumugi-cli -n 2 --kana 3 --romaji --format csv --starts-with か >"$scratch/names.csv"
[ "$(head -1 "$scratch/names.csv")" = $'name,romaji,time,length_setting,score,word\r' ] &&
    [ "$(grep -c '^カ' "$scratch/names.csv")" = 2 ] ||
    fail "kanatsumugi-cli --format csv printed: $(cat "$scratch/names.csv")"
pass "completions installed; three-kana names with romaji as CSV: $(tail -1 "$scratch/names.csv")"

# Minimal images tell dpkg to drop manual pages; then no man page can be found, and the
# honest check is that the package carries it.
if grep -rhsE '^path-exclude[= ]+/usr/share/man' /etc/dpkg/dpkg.cfg.d/ >/dev/null; then
    dpkg-query -L kanatsumugi | grep -qx /usr/share/man/man1/kanatsumugi-cli.1.gz ||
        fail "the package carries no manual page"
    echo "skip - the package carries the manual page, but dpkg on this machine excludes" \
        "/usr/share/man (see /etc/dpkg/dpkg.cfg.d), so man cannot find it"
else
    [ "$(man -w kanatsumugi-cli)" = /usr/share/man/man1/kanatsumugi-cli.1.gz ] ||
        fail "man -w kanatsumugi-cli: $(man -w kanatsumugi-cli 2>&1)"
    MANPAGER=cat LC_ALL=C.UTF-8 man kanatsumugi-cli 2>&1 | grep -q 'make many katakana names at once' ||
        fail "man kanatsumugi-cli does not show the page"
    pass "man kanatsumugi-cli finds and shows the page"
fi

start_display
start_window_manager
work="$scratch/fresh"
mkdir "$work"
start_program kanatsumugi "$work"
clipboard_is() { [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ]; }
echo -n "" | xclip -i -selection clipboard >/dev/null 2>&1
# Return on 命名！ (Button1 has the focus), then Tab into Edit1 and copy the name.
keys Return Tab ctrl+c
wait_for 30 bash -c '[ -n "$(xclip -o -selection clipboard 2>/dev/null)" ]' || fail "no name in the edit box"
name=$(xclip -o -selection clipboard)
# Edit1 -> CheckBox1 -> Button2 (ストック)
keys Tab Tab Return
wait_for 30 test -s "$work/$stock_name" || fail "stocking wrote no file in $work"
printf '%s\r\n' "$name" >"$scratch/expected"
iconv -f CP932 -t UTF-8 "$work/$stock_name" | cmp -s "$scratch/expected" - ||
    fail "stock file: $(od -An -tx1 "$work/$stock_name")"
wmctrl -c "$title"
wait_for_exit
[ "$exit_code" = 0 ] || fail "closing: exit code $exit_code"
pass "the installed window made $name, stocked it in a fresh folder and closed with exit code 0"

"$here/window-identity.sh" /usr/bin/kanatsumugi "/usr/share/icons/hicolor/32x32/apps/$id.png" \
    "/usr/share/applications/$id.desktop"
"$here/input-method.sh" /usr/bin/kanatsumugi
"$here/context-menu.sh" /usr/bin/kanatsumugi
"$here/../e2e/wayland-e2e.sh" /usr/bin/kanatsumugi

DEBIAN_FRONTEND=noninteractive apt-get purge -y -q kanatsumugi >"$scratch/apt.log" 2>&1 ||
    fail "apt-get purge: $(cat "$scratch/apt.log")"
[ -z "$(dpkg-query -W -f='${db:Status-Status}' kanatsumugi 2>/dev/null)" ] ||
    [ "$(dpkg-query -W -f='${db:Status-Status}' kanatsumugi)" = not-installed ] ||
    fail "dpkg still knows kanatsumugi after the purge"
while read -r path; do
    [ ! -e "$path" ] || fail "$path is left after the purge"
done <"$scratch/files"
pass "apt-get purge removed all $(wc -l <"$scratch/files") files"
