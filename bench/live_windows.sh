#!/usr/bin/env bash
# Cost of one live-window refresh and one lookup with 50 and 200 windows, under Wine.
# PNR_BENCH_BUILD=<build dir> uses an existing build instead of building the default one.
set -uo pipefail  # not -e: pnr_prefix tolerates failing registry deletes
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"
if [ -n "${PNR_BENCH_BUILD:-}" ]; then
    PNR_BUILD="$PNR_BENCH_BUILD"
else
    pnr_install_deps
    pnr_build >/dev/null
fi
pnr_prefix "${PNR_BENCH_PREFIX:-$PNR_ROOT/build/wine-bench-live}" unmanaged
trap pnr_stop_all EXIT
pnr_start_xvfb
pnr_start_keepalive
wine "$PNR_BUILD/bin/pnr_bench_live_windows.exe" "$@"
