#!/bin/bash
# The test command: installs what is missing, builds, and runs every test
# under Wine. The wineservers that the tests keep alive are stopped at the end,
# also when a test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh test
tools/build.sh
root=$PWD
export WINEPREFIX="$root/build/wineprefix"
# The layout runs have prefixes of their own beside it (build/wineprefix-*).
stop() {
  local p
  for p in "$root"/build/wineprefix "$root"/build/wineprefix-*; do
    [ -d "$p" ] && WINEPREFIX="$p" wineserver -k >/dev/null 2>&1 || true
  done
}
trap stop EXIT
cd build
ctest --output-on-failure --timeout 300
