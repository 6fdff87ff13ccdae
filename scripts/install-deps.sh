#!/bin/sh
# Installs the Debian packages that building, testing and running need, when missing.
set -eu
here=$(dirname "$0")
packages=$(grep -v -e '^#' -e '^$' "$here/debian-packages.txt")

if ! command -v dpkg-query >/dev/null 2>&1 || ! command -v apt-get >/dev/null 2>&1; then
    echo "apt が見つかりません。次のパッケージを入れてください / apt not found; please install:" >&2
    echo "$packages" | tr '\n' ' ' >&2
    echo >&2
    exit 1
fi

missing=""
for p in $packages; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
    [ "$status" = installed ] || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then
    sudo=""
else
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
# shellcheck disable=SC2086
$sudo apt-get install -y -qq --no-install-recommends $missing
