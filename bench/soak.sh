#!/usr/bin/env bash
# Soak: one long run of Pinora under Wine (about 16 minutes on a busy two-core machine) with
# thousands of window events and configuration windows; prints its resources every 1,000 events
# and exits non-zero when they grow, a thread is left over, a message box shows or Pinora stops
# answering or placing. The first tenth of the run is its warm-up: the default plan opens every
# configuration window in it.
# Arguments: [events] [cycles] [toggles] [reloads] (default 10000 300 300 100).
# PNR_BENCH_BUILD=<build dir> uses an existing build instead of building the default one.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/bench-env.sh" soak
wine "$PNR_BUILD/bin/pnr_bench_soak.exe" "$@"
