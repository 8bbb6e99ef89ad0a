#!/bin/bash
# The test command: installs what is missing, builds, and runs every test
# under Wine. The wineserver that the tests keep alive is stopped at the end,
# also when a test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh test
tools/build.sh
export WINEPREFIX="$PWD/build/wineprefix"
stop() { wineserver -k >/dev/null 2>&1 || true; }
trap stop EXIT
cd build
ctest --output-on-failure --timeout 300
