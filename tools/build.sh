#!/bin/bash
# Configures and builds everything (programs, tests, benchmark) into a build
# folder: build/ unless another is given.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build "$build"
