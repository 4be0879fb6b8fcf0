#!/usr/bin/env bash
# Time of one DesktopNameOf call with the stand-in desktop library, under Wine.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"
pnr_install_deps
pnr_build >/dev/null
pnr_prefix "$PNR_ROOT/build/wine-bench" unmanaged
trap pnr_stop_all EXIT
pnr_start_xvfb
pnr_start_keepalive
wine "$PNR_BUILD/bin/pnr_bench_desktop_name.exe" "$(winepath -w "$PNR_BUILD/bin/standins")"
