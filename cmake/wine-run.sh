#!/usr/bin/env bash
# Runs a program of the Windows cross build under Wine in the build folder's own prefix.
#   wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
# The prefix is made once; parallel test runs wait for the first one to finish making it.
# The program's standard output reaches the Unix side with Unix line ends, so CMake's test
# discovery and ctest read test names and results as they read the Linux build's.
set -euo pipefail
prefix=$1
shift
export WINEPREFIX="$prefix" WINEARCH=win32 WINEDEBUG="${WINEDEBUG:--all}"
if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$(dirname "$prefix")"
    (
        flock 9
        if [ ! -f "$prefix/system.reg" ]; then
            wineboot --init >/dev/null 2>&1
            wineserver -w
        fi
    ) 9>"$prefix.lock"
fi
wine "$@" | tr -d '\r'
