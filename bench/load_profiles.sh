#!/usr/bin/env bash
# Time of one cluster load (LoadWindowProfiles) with 10, 100 and 1,000 entries, under Wine.
# Arguments are passed on as entry counts. PNR_BENCH_BUILD=<build dir> uses an existing
# build instead of building the default one.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/bench-env.sh" profiles
wine "$PNR_BUILD/bin/pnr_bench_load_profiles.exe" "$@"
