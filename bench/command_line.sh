#!/usr/bin/env bash
# The command line: time from starting `Pinora.exe --toggle NAME` until the running copy's tray
# tooltip shows the change, each run and the median over 20, next to the second copy's own
# start-up (`Pinora.exe --help`, start to exit). An argument sets the number of runs.
# PNR_BENCH_BUILD=<build dir> uses an existing build instead of building the default one.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/bench-env.sh" command-line
wine "$PNR_BUILD/bin/pnr_bench_command_line.exe" "${1:-20}"
