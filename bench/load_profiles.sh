#!/usr/bin/env bash
# Time of one cluster load (LoadWindowProfiles) with 10, 100 and 1,000 entries, under Wine.
# Arguments are passed on as entry counts. PNR_BENCH_BUILD=<build dir> uses an existing
# build instead of building the default one.
set -uo pipefail  # not -e: pnr_prefix tolerates failing registry deletes
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"
if [ -n "${PNR_BENCH_BUILD:-}" ]; then
    PNR_BUILD="$PNR_BENCH_BUILD"
else
    pnr_install_deps
    pnr_build >/dev/null
fi
pnr_prefix "${PNR_BENCH_PREFIX:-$PNR_ROOT/build/wine-bench-profiles}" unmanaged
trap pnr_stop_all EXIT
pnr_start_keepalive
wine "$PNR_BUILD/bin/pnr_bench_load_profiles.exe" "$@"
