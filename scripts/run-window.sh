#!/bin/sh
# Starts the window program from the build tree; until it exists, prints ten names.
set -eu
build=${1:-build}
if [ -x "$build/src/window/kanatsumugi" ]; then
    exec "$build/src/window/kanatsumugi"
fi
exec "$build/src/cli/kanatsumugi-cli" -n 10
