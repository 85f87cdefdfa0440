#!/usr/bin/env bash
# Compiles every source file of the program (not the Qt front end) with the Windows cross
# compiler, one at a time and without linking, and prints the first error of each file that
# does not compile: what still ties the sources to Linux or to Qt.
#   scripts/windows-blockers.sh [BUILD_DIR]     (BUILD_DIR: a configured build-win32)
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build-win32}
tp=$build/third_party
rsp=$build/blockers.rsp
printf '%s\n' -std=c++20 -fsyntax-only -Wall -Wextra -Wpedantic -Werror "-I$top/src" \
    -isystem "$tp/json/include" -isystem "$tp/sqlite" -isystem "$tp/src/pugixml/src" \
    -isystem "$tp/src/libzip/lib" -isystem "$tp/libzip" > "$rsp"

check='out=$(i686-w64-mingw32-g++-posix @"$1" "$2" 2>&1) && echo "ok      ${2#"$3"/}" ||
    echo "BLOCKED ${2#"$3"/}: $(grep -m1 -E "error" <<<"$out" | sed "s|$3/||")"'
find "$top/src" "$top/tools" -name '*.cpp' -not -path "$top/src/gui/*" | sort |
    nice -n 19 xargs -P "$(nproc 2>/dev/null || echo 2)" -I{} bash -c "$check" _ "$rsp" {} "$top" |
    sort -k2
