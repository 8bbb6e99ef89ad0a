#!/bin/bash
# Builds and runs the benchmark under Wine (through the build's wine-run, in
# its private prefix). The game folders of 1,000, 10,000 and 100,000 files
# are made here, in a temporary folder, with the names the benchmark itself
# would give them: made through Wine, 100,000 files would take most of an
# hour, as Wine looks each new name up in the whole folder. The folders and
# the prefix's wineserver are removed and stopped at the end, also on
# failure.
#
# Usage: bash tools/bench.sh [sizes...]     (default: 1000 10000 100000)
# JJ_BUILD=<folder> uses another build folder than build/. JJ_BENCH_FUSE=1
# reads the folders through a bindfs mount (tools/bench-fuse.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${JJ_BUILD:-build}
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1000 10000 100000)
for n in "${sizes[@]}"; do
  [[ "$n" =~ ^[1-9][0-9]*$ ]] || { echo "usage: bash tools/bench.sh [sizes...]" >&2; exit 2; }
done

if [ "$build" = build ]; then
  tools/build.sh
else
  cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
  cmake --build "$build" -j2 --target jjbench
fi
build=$(cd "$build" && pwd)

work=$(mktemp -d)
disk=$work read=$work
stop() {
  WINEPREFIX="$build/wineprefix" wineserver -k >/dev/null 2>&1 || true
  if [ "$read" != "$disk" ] && mountpoint -q "$read"; then
    fusermount -u "$read" 2>/dev/null || umount "$read"
  fi
  rm -rf "$work"
}
trap stop EXIT
if [ -n "${JJ_BENCH_FUSE:-}" ]; then
  disk=$work/disk read=$work/fuse
  mkdir "$disk" "$read"
  bindfs "$disk" "$read"
fi

# The names of bench/bench.cpp's kForms: file i has form i % 10 and the
# number i / 10 + 1.
forms=("episode %d.j2e" "EPISODE%d.J2E" "old episode %d.jxe" "Castle %d.j2l" "level%d.j2l"
       "MAP%d.J2L" "battle %d.j2l" "sound%d.wav" "readme %d.txt" "Tiles%d.j2t")
folders=()
for n in "${sizes[@]}"; do
  dir="$disk/$n"
  mkdir "$dir"
  for ((i = 0; i < n; i++)); do
    printf "${forms[i % 10]}\0" $((i / 10 + 1))
  done | (cd "$dir" && xargs -0 touch --)
  dir="$read/$n"
  folders+=("Z:${dir//\//\\}")
done
"$build/wine-run" "$build/bench/jjbench.exe" "${folders[@]}"
