#!/usr/bin/env bash
# Start-up time and idle CPU of Pinora next to a minimal Win32 program, under Wine.
# An argument sets the idle seconds (default 20).
# PNR_BENCH_BUILD=<build dir> uses an existing build instead of building the default one.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/bench-env.sh" startup
# Both programs are measured stripped, as they ship (scripts/package.sh): Wine maps the whole
# image, and the debug information of a development build (24 MB for Pinora.exe) adds about
# 30 ms to every start.
stripped="$PNR_BUILD/bench-stripped"
mkdir -p "$stripped"
for exe in Pinora.exe pnr_minimal_tray.exe; do
    x86_64-w64-mingw32-strip -o "$stripped/$exe" "$PNR_BUILD/bin/$exe" || exit 1
done
wine "$PNR_BUILD/bin/pnr_bench_startup_idle.exe" "$(winepath -w "$stripped/Pinora.exe")" \
    "$(winepath -w "$stripped/pnr_minimal_tray.exe")" "${1:-20}"
