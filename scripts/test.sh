#!/usr/bin/env bash
# Builds Pinora and runs every test: unit tests and end-to-end tests under Wine through
# CTest (the installer's too, when wixl is there), then the native fuzz targets for a bounded
# time. Exits non-zero when anything fails.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$PNR_ROOT"

pnr_install_deps fuzz || { pnr_log "installing the tools failed"; exit 1; }
pnr_build || { pnr_log "build failed"; exit 1; }

# A prefix of this run's own, made fresh so that no earlier run's files or registry leak in.
rm -rf "$PNR_ROOT/build/wine-test"
pnr_prefix "$PNR_ROOT/build/wine-test" unmanaged
trap pnr_stop_all EXIT
pnr_start_xvfb || exit 1
pnr_start_keepalive
export PINORA_WINE_READY=1

status=0
# One test at a time: GUI tests share the desktop's foreground and stacking order, and some
# share registry keys of the prefix.
pnr_log "unit tests"
timeout 1200 ctest --test-dir "$PNR_BUILD" -L unit --output-on-failure || status=1
pnr_log "end-to-end tests"
timeout 2400 ctest --test-dir "$PNR_BUILD" -L e2e --output-on-failure || status=1
# The installer scenario builds its packages with wixl and uses a Wine prefix of its own.
if command -v wixl >/dev/null; then
    pnr_log "installer end-to-end test"
    timeout 900 ctest --test-dir "$PNR_BUILD" -L installer --output-on-failure || status=1
else
    pnr_log "wixl is not installed: installer end-to-end test skipped"
fi
if [ -x "$PNR_ROOT/scripts/fuzz.sh" ]; then
    pnr_log "fuzzing"
    "$PNR_ROOT/scripts/fuzz.sh" "${PINORA_FUZZ_SECONDS:-60}" || status=1
fi
[ $status -eq 0 ] && pnr_log "all tests passed" || pnr_log "some tests FAILED"
exit $status
