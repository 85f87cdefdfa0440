#!/usr/bin/env bash
# The Windows installer as a user meets it, under Wine in a prefix of its own: a silent
# per-user install into a chosen folder, a selection run by the installed program through the
# stand-in automation server, then a silent uninstall.
#   installer-test.sh SETUP.exe BUILD_BIN SOURCE_DIR WINE_RUN PREFIX OBJDUMP
set -euo pipefail
setup=$1 build_bin=$2 source_dir=$3 wine_run=$4 prefix=$5 objdump=$6

# No menu entries or file associations for the Linux desktop from the test's shortcuts.
export WINEDLLOVERRIDES="winemenubuilder.exe=d"
export WINEPREFIX=$prefix
work=$(mktemp -d "${TMPDIR:-/tmp}/brindlepath-installer.XXXXXX")
trap 'rm -rf "$work"' EXIT
app=$work/app

failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }
win() { echo "Z:${1//\//\\}"; }
wrun() { "$wine_run" "$prefix" "$@"; }
key_exists() { wrun reg query "$1" >/dev/null 2>&1; }

uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\brindlepath'
settings_key='HKCU\Software\VB and VBA Program Settings\brindlepath'
installed_files=(brindlepath.exe brindlepath-launch.exe brindlepath_def.DXL
    brindlepath_def.DCS brindlepath_template.XLT brindlepath-help.html brindlepath.ico
    brindlepath32.ico uninstall.exe)
ready_made=("Templates/All Opportunities.DCS" "Templates/Pipeline by Sales Stage.DXL"
    "Templates/Pipeline by Sales Stage.XLT" "Templates/Won Sales by Product.DXL"
    "Templates/Forecast by Close Date.XLT")

# --- install ---------------------------------------------------------------------------------
wrun "$setup" /S "/D=$(win "$app")" || fail "the installer ended with status $?"
for f in "${installed_files[@]}" "${ready_made[@]}"; do
    [ -f "$app/$f" ] || fail "not installed: $f"
done
# What only the build's tests and demos use stays out.
for f in brindlepath-host.exe brindlepath-host.dll; do
    [ ! -e "$app/$f" ] || fail "installed, though only tests use it: $f"
done

# Every DLL an installed program loads is part of Windows or installed beside it.
system_dlls=" advapi32.dll kernel32.dll msvcrt.dll ole32.dll oleaut32.dll shell32.dll user32.dll "
system_dlls+="gdi32.dll comctl32.dll comdlg32.dll shlwapi.dll version.dll ws2_32.dll bcrypt.dll "
shopt -s nullglob
for exe in "$app"/*.exe "$app"/*.dll; do
    while read -r dll; do
        lower=${dll,,}
        [[ $system_dlls == *" $lower "* || $lower == api-ms-win-* ]] && continue
        [ -n "$(find "$app" -maxdepth 1 -iname "$dll")" ] ||
            fail "$(basename "$exe") needs $dll, which is neither Windows' nor installed"
    done < <("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
done

start_menu=("$prefix"/drive_c/users/*/AppData/Roaming/Microsoft/Windows/"Start Menu"/Programs/brindlepath)
[ -f "${start_menu[0]}/brindlepath.lnk" ] || fail "no Start-menu entry in ${start_menu[0]}"
key_exists "$uninstall_key" || fail "no uninstall entry $uninstall_key"
location=$(wrun reg query "$uninstall_key" /v InstallLocation 2>/dev/null | sed -n 's/.*REG_SZ[[:space:]]*//p' || true)
[ "$location" = "$(win "$app")" ] || fail "the uninstall entry names '$location', not the program folder"
uninstall=$(wrun reg query "$uninstall_key" /v UninstallString 2>/dev/null || true)
[[ $uninstall == *'uninstall.exe" /CurrentUser'* ]] || fail "uninstall string: $uninstall"
key_exists 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\brindlepath' &&
    fail "a per-user install wrote a machine-wide uninstall entry"

# --- a selection run by the installed program ------------------------------------------------
host_tool=$build_bin/brindlepath-host.exe
data=$source_dir/tests/app/data
wrun "$host_tool" --db "$(win "$work/host.db")" import "$(win "$data/same-output.json")" >/dev/null ||
    fail "the host tool could not import the test database"
# The stand-in server from the build folder answers for the host; the installed program
# reaches it by automation only, as it reaches the real host.
wrun "$host_tool" register >/dev/null || fail "the stand-in server could not be registered"
csv=$work/export.csv
BRINDLEPATH_HOST=$(win "$work/host.db") BRINDLEPATH_ATTACH=automation \
    wrun "$app/brindlepath.exe" --run "$(win "$data/export-all.ini")" --out "$(win "$csv")" ||
    fail "the installed program's run ended with status $?"
cmp "$csv" "$data/expected/export-all.csv" || fail "the installed program's export differs"
key_exists "$settings_key" || fail "the run recorded no settings under $settings_key"
# A definition of the user's own, saved beside the ready-made ones.
cp "$app/Templates/All Opportunities.DCS" "$app/Templates/My Opportunities.DCS"

# --- uninstall -------------------------------------------------------------------------------
# The uninstaller runs from a copy in the temporary folder and returns at once: wait for it to
# remove itself.
wrun "$app/uninstall.exe" /S || fail "the uninstaller ended with status $?"
for _ in $(seq 1 120); do
    [ -e "$app/uninstall.exe" ] || break
    sleep 0.5
done
for f in "${installed_files[@]}" "${ready_made[@]}"; do
    [ ! -e "$app/$f" ] || fail "left behind: $f"
done
[ ! -e "${start_menu[0]}" ] || fail "the Start-menu folder stayed"
key_exists "$uninstall_key" && fail "the uninstall entry stayed"
# The user's own: the templates folder with the user's definition, and the settings.
[ -f "$app/Templates/My Opportunities.DCS" ] || fail "the user's own definition was removed"
key_exists "$settings_key" || fail "the user's settings were removed"

wrun "$host_tool" unregister >/dev/null || true

# --- for everyone on the computer (Wine's user has the rights it asks for) ---------------------
machine_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\brindlepath'
everyone=$work/everyone
common_menu="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/brindlepath"
wrun "$setup" /S /AllUsers "/D=$(win "$everyone")" || fail "the machine-wide install ended with status $?"
[ -f "$everyone/brindlepath.exe" ] || fail "the machine-wide install put no program in its folder"
[ -f "$common_menu/brindlepath.lnk" ] || fail "no Start-menu entry for everyone"
key_exists "$machine_key" || fail "no machine-wide uninstall entry"
key_exists "$uninstall_key" && fail "a machine-wide install wrote a per-user uninstall entry"
wrun "$everyone/uninstall.exe" /S /AllUsers || fail "the machine-wide uninstaller ended with status $?"
for _ in $(seq 1 120); do
    [ -e "$everyone" ] || break
    sleep 0.5
done
[ ! -e "$everyone" ] || fail "the machine-wide program folder stayed"
[ ! -e "$common_menu" ] || fail "the Start-menu folder for everyone stayed"
key_exists "$machine_key" && fail "the machine-wide uninstall entry stayed"
if [ $failures -gt 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "Installed, ran, uninstalled: every check passed"
