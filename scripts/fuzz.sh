#!/usr/bin/env bash
# Builds the native fuzz targets (tests/fuzz, clang with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build/fuzz and runs every target, one after the other. Seeds
# come from tests/fuzz/corpus/<target>/; what the fuzzer finds is kept in
# build/fuzz/corpus/<target>/ for the next run. Exits non-zero on any crash, hang, leak or
# sanitizer report; the failing input is left in build/fuzz/artifacts/.
#
# Usage: scripts/fuzz.sh [SECONDS] [--runs N] [--only TARGET]
#   SECONDS      time shared between the targets (default 60; the test run uses this form)
#   --runs N     run each target for N executions instead (libFuzzer -runs=N); with SECONDS
#                too, each target also stops at SECONDS, whichever comes first
#   --only NAME  run one target (e.g. ini_rewrite), so that long runs can go one at a time
# Each target's log, with its final statistics (executions, rate, coverage), is
# build/fuzz/<target>.log. Long runs of the INI targets spend most of their time in the
# sanitizer's allocator: ASAN_OPTIONS=malloc_context_size=5:quarantine_size_mb=16:max_malloc_fill_size=0
# makes them about three times faster, for shorter allocation stacks in reports and a
# shorter window for catching a use after free.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
total=""
runs=""
only=""
while [ $# -gt 0 ]; do
    case "$1" in
        --runs) runs="${2:?--runs needs a count}"; shift 2 ;;
        --only) only="${2:?--only needs a target}"; shift 2 ;;
        *) total="$1"; shift ;;
    esac
done
build="$root/build/fuzz"

log() { printf '[fuzz] %s\n' "$*" >&2; }

cmake -S "$root/tests/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || { log "configure failed"; exit 1; }
cmake --build "$build" -j 2 >/dev/null || { log "build failed"; cmake --build "$build" -j 1; exit 1; }

targets=()
for exe in "$build"/bin/fuzz_${only:-*}; do [ -x "$exe" ] && targets+=("$exe"); done
[ ${#targets[@]} -gt 0 ] || { log "no fuzz targets"; exit 1; }
limits=()
if [ -n "$runs" ]; then
    limits+=(-runs="$runs")
    [ -n "$total" ] && limits+=(-max_total_time="$total")
else
    share=$(( ${total:-60} / ${#targets[@]} ))
    [ "$share" -ge 1 ] || share=1
    limits+=(-max_total_time="$share")
fi

status=0
mkdir -p "$build/artifacts"
for exe in "${targets[@]}"; do
    name="$(basename "$exe")"
    name="${name#fuzz_}"
    found="$build/corpus/$name"
    seeds="$root/tests/fuzz/corpus/$name"
    mkdir -p "$found"
    corpora=("$found")
    [ -d "$seeds" ] && corpora+=("$seeds")
    log "$name: ${limits[*]}"
    if ! "$exe" "${limits[@]}" -timeout=10 -rss_limit_mb=2048 -max_len=16384 -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/$name-" "${corpora[@]}" >"$build/$name.log" 2>&1; then
        log "$name FAILED; see $build/$name.log"
        grep -E "ERROR|SUMMARY|property broken|Test unit written" "$build/$name.log" | head -20 >&2
        status=1
    fi
    grep -E "^Done [0-9]+ runs|DONE +cov" "$build/$name.log" | tail -2 | sed "s/^/[fuzz] $name: /" >&2
done
exit $status
