#!/usr/bin/env bash
# Builds the native fuzz targets (tests/fuzz, clang with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build/fuzz and runs every target, sharing SECONDS between
# them. Seeds come from tests/fuzz/corpus/<target>/; what the fuzzer finds is kept in
# build/fuzz/corpus/<target>/ for the next run. Exits non-zero on any crash, hang, leak or
# sanitizer report; the failing input is left in build/fuzz/artifacts/.
# Usage: scripts/fuzz.sh [SECONDS]   (default 60)
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
total="${1:-60}"
build="$root/build/fuzz"

log() { printf '[fuzz] %s\n' "$*" >&2; }

cmake -S "$root/tests/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || { log "configure failed"; exit 1; }
cmake --build "$build" -j 2 >/dev/null || { log "build failed"; cmake --build "$build" -j 1; exit 1; }

targets=()
for exe in "$build"/bin/fuzz_*; do [ -x "$exe" ] && targets+=("$exe"); done
[ ${#targets[@]} -gt 0 ] || { log "no fuzz targets"; exit 1; }
share=$(( total / ${#targets[@]} ))
[ "$share" -ge 1 ] || share=1

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
    log "$name: ${share}s"
    if ! "$exe" -max_total_time="$share" -timeout=10 -rss_limit_mb=2048 -max_len=16384 -print_final_stats=0 \
        -artifact_prefix="$build/artifacts/$name-" "${corpora[@]}" >"$build/$name.log" 2>&1; then
        log "$name FAILED; see $build/$name.log"
        grep -E "ERROR|SUMMARY|property broken|Test unit written" "$build/$name.log" | head -20 >&2
        status=1
    fi
done
exit $status
