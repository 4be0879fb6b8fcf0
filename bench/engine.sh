#!/usr/bin/env bash
# The window engine under Wine: placement latency and smoothness of a glide (20 runs), idle CPU
# with an active cluster, and the cost of window events with 50 and 200 windows.
# PNR_BENCH_BUILD=<build dir> uses an existing build instead of building the default one.
set -uo pipefail  # not -e: pnr_prefix tolerates failing registry deletes
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"
if [ -n "${PNR_BENCH_BUILD:-}" ]; then
    PNR_BUILD="$PNR_BENCH_BUILD"
else
    pnr_install_deps
    pnr_build >/dev/null
fi
# A prefix of the benchmark's own: the placement run writes its cluster file into its data folder.
pnr_prefix "${PNR_BENCH_PREFIX:-$PNR_ROOT/build/wine-bench-engine}" unmanaged
trap pnr_stop_all EXIT
pnr_start_xvfb
pnr_start_keepalive
bin="$PNR_BUILD/bin"
wine "$bin/pnr_bench_placement.exe" "$(winepath -w "$bin/Pinora.exe")" 20 20 </dev/null
wine "$bin/pnr_bench_engine_events.exe" 50 200 </dev/null
