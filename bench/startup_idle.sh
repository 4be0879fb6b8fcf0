#!/usr/bin/env bash
# Start-up time and idle CPU of Pinora next to a minimal Win32 program, under Wine.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"
pnr_install_deps
pnr_build >/dev/null
pnr_prefix "$PNR_ROOT/build/wine-bench" unmanaged
trap pnr_stop_all EXIT
pnr_start_xvfb
pnr_start_keepalive
bin="$PNR_BUILD/bin"
wine "$bin/pnr_bench_startup_idle.exe" "$(winepath -w "$bin/Pinora.exe")" "$(winepath -w "$bin/pnr_minimal_tray.exe")" "${1:-20}"
