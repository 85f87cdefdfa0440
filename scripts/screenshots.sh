#!/usr/bin/env bash
# Regenerates the README's pictures of the desktop front end (docs/frm*.png): builds the
# program and the host tool, creates a demo host, and runs `brindlepath --screenshots` on the
# offscreen platform with a throw-away copy of the program folder, settings store and host, so
# nothing of the user's own is read or written.
#   scripts/screenshots.sh [BUILD_DIR]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-${BRINDLEPATH_BUILD_DIR:-$top/build}}

cmake -S "$top" -B "$build" -DBRINDLEPATH_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target brindlepath brindlepath-host bp_program_files

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$build/bin" "$work/home"
"$build/bin/brindlepath-host" --db "$work/host.db" demo >/dev/null

mkdir -p "$work/shots"
env QT_QPA_PLATFORM=offscreen \
    BRINDLEPATH_HOME="$work/home" \
    BRINDLEPATH_SETTINGS="$work/settings.ini" \
    BRINDLEPATH_HOST="$work/host.db" \
    BRINDLEPATH_LOCALE=en_US \
    BRINDLEPATH_NO_LAUNCH=1 \
    XDG_RUNTIME_DIR="$work" \
    XDG_CONFIG_HOME="$work/config" \
    XDG_CACHE_HOME="$work/cache" \
    XDG_DATA_HOME="$work/data" \
    "$build/bin/brindlepath" --screenshots "$work/shots" >/dev/null

mkdir -p "$top/docs"
rm -f "$top"/docs/frm*.png
cp "$work"/shots/*.png "$top/docs/"
ls "$top"/docs/frm*.png
