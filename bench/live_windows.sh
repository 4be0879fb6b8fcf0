#!/usr/bin/env bash
# Cost of one live-window refresh and one lookup with 50 and 200 windows, under Wine.
# PNR_BENCH_BUILD=<build dir> uses an existing build instead of building the default one.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/bench-env.sh" live
wine "$PNR_BUILD/bin/pnr_bench_live_windows.exe" "$@"
