#!/usr/bin/env bash
# Runs a Windows program under Wine in the test prefix. scripts/wine-env.sh exports the
# environment; when it has not (a direct ctest call), fall back to the build tree's prefix.
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
if [ -z "${PINORA_WINE_READY:-}" ]; then
    # shellcheck source=../scripts/wine-env.sh
    source "$here/../scripts/wine-env.sh"
fi
# The process layout fixed, as scripts/lib.sh's pnr_fixed_layout explains: the tests start
# thousands of Wine processes, and about one in 1500 would otherwise die at start.
exec setarch "$(uname -m)" --addr-no-randomize wine "$@"
