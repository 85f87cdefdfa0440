#!/usr/bin/env bash
# Compiles every source file of the program and its tests (not the Qt front end) with the
# Windows cross compiler, one at a time and without linking, and prints the first error of
# each file that does not compile: what still ties the sources to Linux or to Qt.
#   scripts/windows-blockers.sh [BUILD_DIR] [EXTRA COMPILER FLAGS...]
# BUILD_DIR is a configured build-win32 (it holds the third-party headers). Extra flags let
# one look past a known first blocker, e.g. -D'localtime_r(t,tm)=localtime_s(tm,t)'.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build-win32}
shift || true
tp=$build/third_party
gtest=/usr/src/googletest
version=$(sed -nE 's/^project\(brindlepath VERSION ([0-9.]+).*/\1/p' "$top/CMakeLists.txt")
rsp=$build/blockers.rsp
# A string literal as a definition in a response file, which takes quotes away unless escaped.
quoted() { printf '\\"%s\\"' "$1"; }
# The project's own warning set (cmake/Warnings.cmake) and the definitions its targets get.
printf '%s\n' -std=c++20 -fsyntax-only -Wall -Wextra -Wpedantic -Werror -Wshadow=local \
    -Wnon-virtual-dtor -Wno-missing-field-initializers "-I$top/src" "-I$top/tests" \
    "-DBRINDLEPATH_VERSION=$(quoted "$version")" "-DBRINDLEPATH_TEST_SOURCE_DIR=$(quoted "$top")" \
    "-DBRINDLEPATH_TEST_BIN_DIR=$(quoted "$build/bin")" \
    "-DBRINDLEPATH_BUILT_PROGRAM_DIR=$(quoted "$build/bin")" "-DBP_PROGRAM_DIR=$(quoted "$build/bin")" \
    -isystem "$tp/json/include" -isystem "$tp/sqlite" -isystem "$tp/src/pugixml/src" \
    -isystem "$tp/src/libzip/lib" -isystem "$tp/libzip" \
    -isystem "$gtest/googletest/include" -isystem "$gtest/googlemock/include" "$@" > "$rsp"

check='out=$(i686-w64-mingw32-g++-posix @"$1" "$2" 2>&1) && echo "ok      ${2#"$3"/}" ||
    echo "BLOCKED ${2#"$3"/}: $(grep -m1 -E "error" <<<"$out" | sed "s|$3/||")"'
find "$top/src" "$top/tools" "$top/tests" -name '*.cpp' -not -path "$top/src/gui/*" \
    -not -path "$top/tests/gui/*" | sort |
    nice -n 19 xargs -P "$(nproc 2>/dev/null || echo 2)" -I{} bash -c "$check" _ "$rsp" {} "$top" |
    sort -k2
