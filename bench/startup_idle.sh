#!/usr/bin/env bash
# Start-up time and idle CPU of Pinora next to a minimal Win32 program, under Wine.
# An argument sets the idle seconds (default 20).
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/bench-env.sh" startup
bin="$PNR_BUILD/bin"
wine "$bin/pnr_bench_startup_idle.exe" "$(winepath -w "$bin/Pinora.exe")" "$(winepath -w "$bin/pnr_minimal_tray.exe")" "${1:-20}"
