#!/bin/bash
# The benchmark on game folders that Wine reads through a FUSE file system, as
# a player's game folder on a Windows partition mounted with ntfs-3g: the
# folders are made as tools/bench.sh makes them, in a folder of this disk that
# bindfs mounts elsewhere, and read there (one level below the mount's top,
# as a game folder on a mounted partition lies). Installs what is missing
# (tools/setup.sh fuse: bindfs); needs root (or a user allowed to mount FUSE
# file systems) and /dev/fuse. The mount is undone at the end, also on
# failure.
#
# Usage: bash tools/bench-fuse.sh [sizes...]     (default: 1000 10000 30000)
set -euo pipefail
cd "$(dirname "$0")/.."
[ -e /dev/fuse ] || { echo "bench-fuse: no /dev/fuse here" >&2; exit 1; }
bash tools/setup.sh fuse
[ $# -gt 0 ] || set -- 1000 10000 30000
JJ_BENCH_FUSE=1 exec bash tools/bench.sh "$@"
