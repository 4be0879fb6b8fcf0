#!/usr/bin/env bash
# Builds Pinora and starts it under Wine, in a Wine virtual desktop (with a taskbar showing
# Pinora's tray icon) on your X display, or in an Xvfb display of its own when there is none.
# On the first run it creates an example cluster, active at start, with one entry for Wine's
# Notepad, and opens Notepad before Pinora starts: Pinora's start-up placement pass then
# glides the Notepad window into its saved place.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$PNR_ROOT"

pnr_install_deps
pnr_build Pinora
pnr_prefix "$PNR_ROOT/build/wine-run" desktop

if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    pnr_start_xvfb
    trap pnr_stop_all EXIT
    pnr_log "no X display: running in Xvfb on $DISPLAY"
    pnr_log "take a screenshot with: import -window root -display $DISPLAY pinora.png"
else
    trap 'wineserver -k 2>/dev/null || true' EXIT
fi

appdata="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming"
example="$appdata/Pinora/Clusters/Example.ini"
if [ ! -f "$appdata/Pinora/.example-made" ]; then
    mkdir -p "$(dirname "$example")"
    printf '%s\r\n' \
        '[Configuration]' \
        'Show in Quick Menu=No' \
        'Activate on Startup=Yes' \
        '[Notepad]' \
        'Title=Untitled - Notepad' \
        'Class=Notepad' \
        'Path=C:\windows\system32\notepad.exe' \
        'Position=240 160' \
        'Size=640 420' \
        'Z-Level=0' \
        'Corners=Round' \
        'Rules=Executable name does match "notepad.exe"' | head -c -2 >"$example"
    touch "$appdata/Pinora/.example-made"
    pnr_log "example cluster written to $example"
fi

pnr_log "opening Notepad, then starting Pinora (its tray icon is in the virtual desktop's taskbar)"
pnr_fixed_layout wine notepad.exe >/dev/null 2>&1 &
sleep 3
pnr_log "Pinora is running; quit it from its tray menu (right-click the icon, then Quit)"
pnr_fixed_layout wine "$PNR_BUILD/bin/Pinora.exe" >/dev/null 2>&1 || true
