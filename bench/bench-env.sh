# Sourced by the benchmark scripts: builds (or reuses PNR_BENCH_BUILD=<build dir>), prepares
# a Wine prefix of the benchmarks' own, an Xvfb display and Wine's keepalive program, and
# stops them all when the script ends.
# Usage: source bench/bench-env.sh <prefix name>
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"
if [ -n "${PNR_BENCH_BUILD:-}" ]; then
    PNR_BUILD="$PNR_BENCH_BUILD"
else
    pnr_install_deps
    pnr_build >/dev/null
fi
pnr_prefix "${PNR_BENCH_PREFIX:-$PNR_ROOT/build/wine-bench-$1}" unmanaged
trap pnr_stop_all EXIT
pnr_start_xvfb
pnr_start_keepalive
