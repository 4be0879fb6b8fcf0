#!/usr/bin/env bash
# The scenarios that change the screen resolution live (DisplayChange.*) need a Wine virtual
# desktop, whose resolution a program can change; an X screen's cannot. This runs them in one,
# in a Wine prefix and an Xvfb display of their own, and fails when any of them fails.
# Usage: display_changes.sh <build folder>
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
PNR_BUILD="${1:-$PNR_BUILD}"
pnr_prefix "$PNR_ROOT/build/wine-display-changes" unmanaged >/dev/null 2>&1
pnr_start_xvfb || exit 1
trap pnr_stop_all EXIT
pnr_start_keepalive
log="$(mktemp)"
# The desktop's own process ends with the program it runs, and does not hand on its exit code.
timeout 600 wine explorer /desktop=PinoraDisplayChanges,1920x1080 "$PNR_BUILD/bin/pinora_e2e.exe" \
    --gtest_filter='DisplayChange.*' </dev/null 2>&1 | tee "$log"
passed=$(grep -c '^\[       OK \]' "$log")
failed=$(grep -c '^\[  FAILED  \]' "$log")
skipped=$(grep -c '^\[  SKIPPED \]' "$log")
rm -f "$log"
echo "display changes: $passed passed, $failed failed, $skipped skipped"
[ "$passed" -gt 0 ] && [ "$failed" -eq 0 ] && [ "$skipped" -eq 0 ]
