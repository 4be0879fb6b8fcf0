#!/usr/bin/env bash
# The installer end to end, as a user meets it, in a Wine prefix of its own
# (<build>/wine-installer, made fresh each run). Two packages are built with wixl from the test
# build: this version, and the next patch version, which also carries the update-library
# stand-in. Then:
#  1. msiexec /i installs quietly: program files, Start-menu shortcut, one uninstall entry with
#     publisher and icon;
#  2. the Start-menu shortcut starts the installed Pinora.exe, which shows its tray icon and,
#     with "Start with Windows" on, writes its Run value;
#  3. the same package again, then the higher version while the program runs, leave one
#     installation; the running copy is asked to quit first, the Run value stays, and the
#     upgraded program starts with the installed update library; the older package is refused;
#  4. msiexec /x, with the program running, removes the program files, the shortcut, the
#     uninstall entry and the Run value, and leaves %APPDATA%\Pinora as it was;
#  5. an installation into another folder stays there across the upgrade, with the Run value
#     naming it; the uninstall keeps a Run value that names a portable copy elsewhere.
# Usage: installer_e2e.sh [build folder]   (CTest runs it when wixl is installed)
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"
PNR_BUILD="$(cd "${1:-$PNR_ROOT/build/mingw}" && pwd)"
work="$PNR_BUILD/installer-e2e"
log="$work/wine.log"
rm -rf "$work"
mkdir -p "$work"

passed=0
failed=0
# check <what> <command...>: one observation; the command's output goes to the log.
check() {
    local what="$1"
    shift
    echo "--- $what" >>"$log"
    if "$@" >>"$log" 2>&1; then
        passed=$((passed + 1))
        echo "ok      $what"
    else
        failed=$((failed + 1))
        echo "FAILED  $what"
    fi
}

# Every Wine program runs with its streams in the log: Wine's helper processes inherit them,
# and a pipe they held would keep CTest waiting.
w() { timeout 120 setarch "$(uname -m)" --addr-no-randomize wine "$@" </dev/null >>"$log" 2>&1; }
refused() { ! w "$@"; }
probe() { w "$PNR_BUILD/bin/pnr_installer_probe.exe" "$@"; }

version="$(pnr_project_version "$PNR_BUILD")"
IFS=. read -r major minor patch <<<"$version"
next="$major.$minor.$((patch + 1))"
current_msi="$work/Pinora-$version-x64.msi"
next_msi="$work/Pinora-$next-x64.msi"
pnr_build_msi "$PNR_BUILD" "$current_msi" || exit 1
pnr_build_msi "$PNR_BUILD" "$next_msi" "$next" "$PNR_BUILD/bin/standins/WinSparkle.dll" || exit 1

prefix="$PNR_BUILD/wine-installer"
rm -rf "$prefix"
pnr_prefix "$prefix" unmanaged >>"$log" 2>&1
trap pnr_stop_all EXIT
[ -n "${DISPLAY:-}" ] || pnr_start_xvfb || exit 1
pnr_start_keepalive

profile="$(ls -d "$prefix"/drive_c/users/*/ | grep -v '/Public/$' | head -n 1)"
profile="${profile%/}"
user="$(basename "$profile")"
programs="$profile/AppData/Local/Programs/Pinora"
data="$profile/AppData/Roaming/Pinora"
shortcut="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Pinora.lnk"
win_exe="C:\\users\\$user\\AppData\\Local\\Programs\\Pinora\\Pinora.exe"
win_shortcut="C:\\users\\$user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Pinora.lnk"
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'

# Installed products named Pinora, one "{product code}|||Pinora" line each.
installations() { pnr_fixed_layout wine uninstaller --list 2>/dev/null | tr -d '\r' | grep '|||Pinora$'; }
# reg_value <key> <value>: the data of a registry value, empty when it is missing.
reg_value() {
    pnr_fixed_layout wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
# The uninstall entry's value (this Wine keeps per-user entries under HKLM, Windows under HKCU).
entry_value() {
    local code root
    code="$(installations | head -n 1 | cut -d'|' -f1)"
    for root in HKCU HKLM; do
        reg_value "$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$code" "$1"
    done | head -n 1
}
one_installation_of() {
    [ "$(installations | wc -l)" -eq 1 ] && [ "$(entry_value DisplayVersion)" = "$1" ]
}
entry_has_publisher() { [ "$(entry_value Publisher)" = Quendal ]; }
# The icon the uninstall list shows for the product: a file the installer keeps.
entry_has_icon() {
    local icon
    icon="$(pnr_fixed_layout wine reg query 'HKCU\Software\Microsoft\Installer\Products' /s 2>/dev/null | tr -d '\r' |
        sed -n 's/^ *ProductIcon *REG_SZ *//p' | head -n 1)"
    [ -n "$icon" ] && [ -s "$(winepath -u "$icon" 2>/dev/null)" ]
}
version_block_names() {
    x86_64-w64-mingw32-windres -i "$programs/Pinora.exe" -O rc | grep -q "VALUE \"ProductVersion\", \"$1\""
}
program_files_installed() { [ -f "$programs/Pinora.exe" ] && [ -f "$programs/LICENSE.txt" ]; }
# The stand-in update library writes a call log beside itself (the real one does not): that
# file may stay behind; nothing the package installed may.
program_files_gone() {
    [ ! -e "$programs" ] || [ -z "$(ls -A "$programs" | grep -vx 'winsparkle-calls.log')" ]
}
# start_from_shortcut [exe]: the shortcut starts the program installed as exe (default: $win_exe).
start_from_shortcut() {
    w start "$win_shortcut" && probe tray "${1:-$win_exe}"
}
run_value_is() { [ "$(reg_value "$run_key" Pinora)" = "$1" ]; }
run_value_names_installed_program() { run_value_is "\"$win_exe\""; }
run_value_gone() { ! pnr_fixed_layout wine reg query "$run_key" /v Pinora >/dev/null 2>&1; }
update_library_got_version() {
    grep -q "^set_app_details	Quendal	Pinora	$version\$" "$programs/winsparkle-calls.log"
}
data_snapshot() { (cd "$data" && find . -type f -print0 | sort -z | xargs -0 sha256sum); }

# The user's own settings and clusters, as they would be before installing: autostart on.
mkdir -p "$data/Clusters"
printf '[Settings]\r\nTime Delay=2\r\nStart with Windows=Yes\r\n' >"$data/config.ini"
printf '[Configuration]\r\nActivate on Startup=No\r\nShow in Quick Menu=No\r\n' >"$data/Clusters/Work.ini"

echo "1. install $version"
check "msiexec /i installs quietly" w msiexec /i "$current_msi" /qn
check "the program files are in the local programs folder" program_files_installed
check "the installed program's version block names $version" version_block_names "$version"
check "a Start-menu shortcut" test -f "$shortcut"
check "one installation, version $version" one_installation_of "$version"
check "the uninstall entry names the publisher" entry_has_publisher
check "the uninstall entry has the program's icon" entry_has_icon

echo "2. start the installed program"
check "the Start-menu shortcut starts it and its tray icon shows" start_from_shortcut
check "\"Start with Windows\" points the Run value at it" run_value_names_installed_program

echo "3. install again, upgrade to $next, refuse the downgrade"
check "the same package installs again quietly" w msiexec /i "$current_msi" /qn
check "one installation, version $version" one_installation_of "$version"
check "the program still runs with its tray icon" probe tray "$win_exe"
check "the higher version installs quietly" w msiexec /i "$next_msi" /qn
check "the running program was asked to quit" probe gone
check "one installation, version $next" one_installation_of "$next"
check "the update library is installed beside the program" test -f "$programs/WinSparkle.dll"
check "the upgrade keeps the Run value" run_value_names_installed_program
check "the upgraded program starts with its tray icon" start_from_shortcut
check "it hands its version to the installed update library" update_library_got_version
check "the older package is refused" refused msiexec /i "$current_msi" /qn
check "one installation, version $next" one_installation_of "$next"

echo "4. uninstall"
before="$(data_snapshot)"
check "msiexec /x uninstalls quietly" w msiexec /x "$next_msi" /qn
check "the running program was asked to quit" probe gone
check "the program files are gone" program_files_gone
check "the Start-menu shortcut is gone" test ! -e "$shortcut"
check "no installation is left" test -z "$(installations)"
check "the Run value is gone" run_value_gone
check "%APPDATA%\\Pinora is as it was" test "$before" = "$(data_snapshot)"
check "%APPDATA%\\Pinora still holds the user's files" test -n "$before"

other_folder='C:\Tools\Pinora\'
other_exe="${other_folder}Pinora.exe"
portable_exe='"C:\Portable\Pinora.exe"'
echo "5. another folder"
check "msiexec /i INSTALLDIR=$other_folder installs quietly" w msiexec /i "$current_msi" "INSTALLDIR=$other_folder" /qn
check "the Start-menu shortcut starts the program there" start_from_shortcut "$other_exe"
check "a hand-written Run value names it" pnr_fixed_layout wine reg add "$run_key" /v Pinora /d 'c:\tools\pinora\PINORA.EXE' /f
check "the higher version installs quietly" w msiexec /i "$next_msi" /qn
check "the upgrade keeps the folder" test -f "$(winepath -u "$other_folder")/WinSparkle.dll"
check "the Run value names the upgraded program" run_value_is "\"$other_exe\""
check "a Run value names a portable copy" pnr_fixed_layout wine reg add "$run_key" /v Pinora /d "$portable_exe" /f
check "msiexec /x uninstalls quietly" w msiexec /x "$next_msi" /qn
check "the program files are gone from $other_folder" test ! -e "$(winepath -u "$other_exe")"
check "the portable copy's Run value stays" run_value_is "$portable_exe"

echo "installer: $passed passed, $failed failed (Wine output: $log)"
[ "$failed" -eq 0 ]
