#!/bin/bash
# Builds and runs the benchmark under Wine (through the build's wine-run, in
# its private prefix) and stops that prefix's wineserver at the end, also on
# failure. It makes temporary game folders of 1,000, 10,000 and 100,000
# files, which takes a minute or two under Wine.
#
# Usage: bash tools/bench.sh [largest size]     (default 100000)
# JJ_BUILD=<folder> uses another build folder than build/.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${JJ_BUILD:-build}
if [ "$build" = build ]; then
  tools/build.sh
else
  cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
  cmake --build "$build" -j2 --target jjbench
fi
build=$(cd "$build" && pwd)
stop() { WINEPREFIX="$build/wineprefix" wineserver -k >/dev/null 2>&1 || true; }
trap stop EXIT
"$build/wine-run" "$build/bench/jjbench.exe" "$@"
