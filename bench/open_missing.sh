#!/usr/bin/env bash
# "Open Missing Windows" of a cluster of 5 and of 20 test windows: from the command to every
# window at its frame. Arguments: [runs] [window counts...]. PNR_BENCH_BUILD=<build dir> uses
# an existing build.
set -uo pipefail
# A prefix of the benchmark's own: the run writes its cluster file into its data folder.
source "$(dirname "${BASH_SOURCE[0]}")/bench-env.sh" open-missing
bin="$PNR_BUILD/bin"
wine "$bin/pnr_bench_open_missing.exe" "$(winepath -w "$bin/Pinora.exe")" "${1:-5}" "${@:2}" </dev/null
