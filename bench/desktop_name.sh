#!/usr/bin/env bash
# Time of one DesktopNameOf call with the stand-in desktop library, under Wine.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/bench-env.sh" desktop
wine "$PNR_BUILD/bin/pnr_bench_desktop_name.exe" "$(winepath -w "$PNR_BUILD/bin/standins")"
