#!/usr/bin/env bash
# Coming back after display changes under Wine: 20 resolution changes of a Wine virtual desktop
# (the only screen a program can change here), each followed by the system's shuffle of three
# claimed windows; the time until every window is back, and Pinora's CPU time while idle.
# PNR_BENCH_BUILD=<build dir> uses an existing build instead of building the default one.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/bench-env.sh" display
bin="$PNR_BUILD/bin"
wine explorer /desktop=PinoraBench,1920x1080 "$bin/pnr_bench_display_settle.exe" "$(winepath -w "$bin/Pinora.exe")" \
    20 10 </dev/null 2>&1 | cat
