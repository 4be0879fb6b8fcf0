#!/usr/bin/env bash
# Wine's Notepad (20 times) and Regedit (5 times) opened one after another while Pinora runs
# with a cluster that claims them by executable name: how many land at their saved frame.
# Arguments: [Notepad runs] [Regedit runs]. PNR_BENCH_BUILD=<build dir> uses an existing build.
set -uo pipefail
# A prefix of the benchmark's own: the run writes its cluster file into its data folder.
source "$(dirname "${BASH_SOURCE[0]}")/bench-env.sh" real
bin="$PNR_BUILD/bin"
wine "$bin/pnr_bench_real_programs.exe" "$(winepath -w "$bin/Pinora.exe")" "${1:-20}" "${2:-5}" </dev/null
