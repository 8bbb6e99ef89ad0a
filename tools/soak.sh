#!/bin/bash
# The soak: ten thousand random sequences of Quenby's window against a model
# (the suite runs two hundred). Prints how many ran and how many differed.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh test
tools/build.sh
export WINEPREFIX="$PWD/build/wineprefix"
stop() { wineserver -k >/dev/null 2>&1 || true; }
trap stop EXIT
build/wine-run build/tests/sequence_soak.exe
