#!/usr/bin/env bash
# The window engine under Wine: placement latency and smoothness of a glide (20 runs), idle CPU
# with an active cluster, and the cost of window events with 50 and 200 windows.
# PNR_BENCH_BUILD=<build dir> uses an existing build instead of building the default one.
set -uo pipefail
# A prefix of the benchmark's own: the placement run writes its cluster file into its data folder.
source "$(dirname "${BASH_SOURCE[0]}")/bench-env.sh" engine
bin="$PNR_BUILD/bin"
wine "$bin/pnr_bench_placement.exe" "$(winepath -w "$bin/Pinora.exe")" 20 20 </dev/null
wine "$bin/pnr_bench_engine_events.exe" 50 200 </dev/null
