#!/usr/bin/env bash
# Runs a program of the Windows cross build under Wine in the build folder's own prefix.
#   wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
# The prefix is made once; parallel test runs wait for the first one to finish making it.
# The program's standard output reaches the Unix side with Unix line ends, so CMake's test
# discovery and ctest read test names and results as they read the Linux build's.
#
# Parallel programs that each find no wineserver running start one each, and the losers of
# that race die with "wine client error: recvmsg: Connection reset by peer". So one server is
# started under the lock before any program runs; it stays while programs come and go and ends
# on its own once none has run for BRINDLEPATH_WINESERVER_LINGER seconds.
set -euo pipefail
prefix=$1
shift
export WINEPREFIX="$prefix" WINEARCH=win32 WINEDEBUG="${WINEDEBUG:--all}"
linger=${BRINDLEPATH_WINESERVER_LINGER:-30}
mkdir -p "$(dirname "$prefix")"
(
    flock 9
    if [ ! -f "$prefix/system.reg" ]; then
        wineboot --init >/dev/null 2>&1 9>&-
        wineserver -w
    fi
    # Returns 0 once a new server listens, 2 when one already runs for the prefix. Nothing
    # started here may inherit the lock (every later run would wait for it) or a pipe of the
    # caller (ctest waits for every writer of its pipes to end).
    # The server's desktop belongs to the display of the run that started it, and a window
    # of a run on another display fails to be created (a build's test discovery runs without
    # one, the window tests right after it on xvfb's): a server of another display is ended.
    if wineserver -p"$linger" </dev/null >/dev/null 2>&1 9>&-; then
        rm -f "$prefix.display"
    elif [ "$(cat "$prefix.display" 2>/dev/null)" != "${DISPLAY:-}" ]; then
        wineserver -k </dev/null >/dev/null 2>&1 9>&- || true
        wineserver -w </dev/null >/dev/null 2>&1 9>&- || true
        wineserver -p"$linger" </dev/null >/dev/null 2>&1 9>&- || true
        rm -f "$prefix.display"
    fi
    if [ ! -f "$prefix.display" ]; then
        # A new server: Wine's own background programs (device drivers, services, the
        # desktop) start with the first program and live as long as the server. Started
        # here, they hold no pipe of a test.
        printf '%s\n' "${DISPLAY:-}" >"$prefix.display"
        wine cmd.exe /c exit </dev/null >/dev/null 2>&1 9>&- || true
    fi
    # The test display has no window manager: Wine would wait for one to take each window it
    # hides (two seconds a window), so the prefix's windows are left unmanaged. Set once the
    # lingering server listens, so no server of its own is left ending under a test.
    if ! grep -q '^"Managed"="N"' "$prefix/user.reg" 2>/dev/null; then
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
            </dev/null >/dev/null 2>&1 9>&- || true
    fi
) 9>"$prefix.lock"
# The program writes into files, not into the caller's pipes: a process Wine starts on the
# program's behalf (the desktop process, when the first window of a while needs it) inherits
# the program's output handles and can outlive it by minutes, and ctest waits for every writer
# of its pipes to end. The output is passed on once the program has ended.
output=$(mktemp)
errors=$(mktemp)
trap 'rm -f "$output" "$errors"' EXIT
status=0
wine "$@" >"$output" 2>"$errors" || status=$?
tr -d '\r' <"$output"
tr -d '\r' <"$errors" >&2
exit "$status"
