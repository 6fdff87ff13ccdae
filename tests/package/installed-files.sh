#!/bin/bash
# Installs the build into a scratch root as the package would (prefix /usr) and checks
# what lands there: programs, launcher entry, AppStream data, icons, manual page.
# Usage: installed-files.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(realpath "$1")
source_dir=$(realpath "$2")
id=io.github.kanatsumugi.Kanatsumugi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
pass() { echo "ok - $*"; }
for tool in desktop-file-validate appstreamcli identify man; do
    command -v "$tool" >/dev/null || fail "missing tool: $tool"
done

root="$scratch/root"
DESTDIR="$root" cmake --install "$build" --prefix /usr >"$scratch/install.log" ||
    fail "cmake --install: $(cat "$scratch/install.log")"
usr="$root/usr"

for program in kanatsumugi kanatsumugi-cli; do
    [ -x "$usr/bin/$program" ] || fail "bin/$program is missing or not executable"
done
for file in share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/icons/hicolor/32x32/apps/$id.png share/icons/hicolor/scalable/apps/$id.svg \
    share/man/man1/kanatsumugi-cli.1.gz share/doc/kanatsumugi/copyright \
    share/kanatsumugi/natural-model.bin share/kanatsumugi/natural-cuts.txt \
    share/kanatsumugi/words.bin share/kanatsumugi/blocklist.txt; do
    [ -s "$usr/$file" ] || fail "$file is missing"
done
grep -q "The UniDic Consortium" "$usr/share/doc/kanatsumugi/copyright" ||
    fail "the copyright file lacks the notices of the dictionaries the data comes from"
for size in 16 22 24 48 64 128 256; do
    [ "$(identify -format '%wx%h' "$usr/share/icons/hicolor/${size}x$size/apps/$id.png")" = "${size}x$size" ] ||
        fail "no ${size}x$size icon"
done
pass "programs, launcher entry, metadata, icons, manual page and licence installed"

# The command finds its Japanese catalogue where the package puts it.
[ -s "$usr/share/locale/ja/LC_MESSAGES/kanatsumugi-cli.mo" ] || fail "no Japanese catalogue"
usage=$(LC_ALL=C.UTF-8 LANGUAGE=ja "$usr/bin/kanatsumugi-cli" --help | head -1)
[[ $usage == "使い方: kanatsumugi-cli "* ]] || fail "the installed command speaks: $usage"
pass "kanatsumugi-cli reads its installed Japanese messages"

desktop="$usr/share/applications/$id.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate"
metainfo="$usr/share/metainfo/$id.metainfo.xml"
appstreamcli validate --no-net --explain "$metainfo" || fail "appstreamcli validate"
pass "desktop-file-validate and appstreamcli validate accept the installed files"

# The launcher must point at what was installed.
entry() { sed -n "s/^$1=//p" "$desktop"; }
[ -x "$usr/bin/$(entry Exec | cut -d' ' -f1)" ] || fail "Exec=$(entry Exec) is not installed"
[ "$(entry Icon)" = "$id" ] || fail "Icon=$(entry Icon)"
[ "$(entry Name)" = "カナツムギ" ] || fail "Name=$(entry Name)"
grep -q '^Comment\[ja\]=' "$desktop" && grep -q '^Comment=' "$desktop" || fail "a comment is missing"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metadata does not launch $id.desktop"
grep -q '<summary xml:lang="ja">' "$metainfo" || fail "no Japanese summary"
grep -q '<p xml:lang="ja">' "$metainfo" || fail "no Japanese description"
pass "launcher entry and metadata refer to the installed program and icon"

# The metadata states the screenshot's size; it must be the real picture's.
shot_size=$(identify -format '%wx%h' "$source_dir/docs/screenshot.png")
grep -q "width=\"${shot_size%x*}\" height=\"${shot_size#*x}\"" "$metainfo" ||
    fail "the metadata's screenshot size is not $shot_size"

read -r width height colours < <(identify -format '%w %h %k\n' "$usr/share/icons/hicolor/32x32/apps/$id.png")
[ "$width" = 32 ] && [ "$height" = 32 ] && [ "$colours" -le 16 ] ||
    fail "the icon is ${width}x$height with $colours colours, expected 32x32 with at most 16"
[ "$(identify -format '%w %h' "$usr/share/icons/hicolor/scalable/apps/$id.svg")" = "32 32" ] ||
    fail "the scalable icon does not render as a square 32 x 32 picture"
pass "icons: 32 x 32 PNG with $colours colours, scalable SVG"

# Every option the program explains must be in the manual page, and no other.
options() { grep -o -e '--[a-z][a-z-]*' -e '\(^\|[ ,]\)-[a-z]\b' | tr -d ' ,' | sort -u; }
"$usr/bin/kanatsumugi-cli" --help | grep '^ *-' | options >"$scratch/help-options"
MANWIDTH=100 LC_ALL=C.UTF-8 man --warnings -l "$usr/share/man/man1/kanatsumugi-cli.1.gz" \
    2>"$scratch/man-warnings" >"$scratch/man.txt" || fail "man cannot show the page"
[ ! -s "$scratch/man-warnings" ] || fail "man: $(cat "$scratch/man-warnings")"
sed -n '/^OPTIONS/,/^EXIT STATUS/p' "$scratch/man.txt" | grep '^       -' | options >"$scratch/man-options"
[ -s "$scratch/help-options" ] || fail "--help lists no options"
diff "$scratch/help-options" "$scratch/man-options" >&2 ||
    fail "the manual page's options differ from --help (< help, > manual)"
pass "the manual page shows and documents every option of --help: $(paste -sd' ' "$scratch/help-options")"
