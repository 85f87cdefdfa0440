#!/usr/bin/env bash
# Regenerates the README's pictures of the Windows edition: docs/windows/frm*.png at 100% and
# docs/windows/150/frm*.png at 150% (the Windows display setting "Scale 150%", 144 DPI). Builds
# the program and the host tool in the cross build, then runs `brindlepath.exe --screenshots`
# under Wine on a virtual display of its own, in a throw-away Wine prefix, on a demo host and
# with a copy of the program folder and a settings file of its own, so nothing of the user's
# own is read or written. Needs Xvfb, Wine and a configured cross build (see README "Windows").
#   scripts/windows-screenshots.sh [BUILD_DIR]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-${BRINDLEPATH_WIN32_BUILD_DIR:-$top/build-win32}}

if [ ! -f "$build/CMakeCache.txt" ]; then
    echo "windows-screenshots: no cross build in $build; configure it as the README says" >&2
    exit 2
fi
cmake --build "$build" -j2 --target brindlepath brindlepath-host bp_program_files bp_report_templates >/dev/null

work=$(mktemp -d)
xvfb=""
export WINEPREFIX="$work/wine" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "$xvfb" ]; then
        kill "$xvfb" 2>/dev/null || true
        wait "$xvfb" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# A display large enough for the main window at 150%, in true colour as the user's would be.
Xvfb -displayfd 3 -screen 0 2560x1600x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || { echo "windows-screenshots: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"

# Wine's own programs started on the way hold the handles they inherit: files, not pipes.
quiet() { "$@" </dev/null >>"$work/wine.log" 2>&1; }
quiet wineboot --init
quiet wineserver -w
# No window manager runs on the display: windows Wine leaves unmanaged are shown at once.
quiet wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f

# The program folder where an installation would put it, so the pictures show the same
# paths on every run.
home="$WINEPREFIX/drive_c/brindlepath"
cp -r "$build/bin" "$home"
quiet wine "$home/brindlepath-host.exe" --db "$(winepath -w "$work/host.db")" demo

# scale percent -> pictures in $work/shots-<percent>
pictures() {
    local percent=$1 dpi=$(($1 * 96 / 100))
    quiet wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f
    # Wine reads the DPI when its server and first programs start.
    quiet wineserver -w
    mkdir -p "$work/shots-$percent"
    if ! env BRINDLEPATH_HOME='C:\brindlepath' \
        BRINDLEPATH_HOST="$(winepath -w "$work/host.db")" \
        BRINDLEPATH_SETTINGS="$(winepath -w "$work/settings.ini")" \
        BRINDLEPATH_LOCALE=en_US \
        BRINDLEPATH_NO_LAUNCH=1 \
        wine "$home/brindlepath.exe" --screenshots "$(winepath -w "$work/shots-$percent")" \
        </dev/null >"$work/shots-$percent.log" 2>&1; then
        tr -d '\r' <"$work/shots-$percent.log" >&2
        echo "windows-screenshots: the pictures at $percent% were not all taken" >&2
        exit 1
    fi
}
pictures 100
pictures 150

install_pictures() {
    local from=$1 to=$2
    mkdir -p "$to"
    rm -f "$to"/frm*.png
    cp "$from"/frm*.png "$to/"
    if command -v optipng >/dev/null; then
        optipng -quiet -o2 "$to"/frm*.png
    fi
}
install_pictures "$work/shots-100" "$top/docs/windows"
install_pictures "$work/shots-150" "$top/docs/windows/150"
ls "$top"/docs/windows/frm*.png "$top"/docs/windows/150/frm*.png
