#!/bin/bash
# Installs the Debian packages that are missing for building and testing
# ("test"), or also for showing a program on a virtual screen ("demo"), or
# for the benchmark over a FUSE file system ("fuse", tools/bench-fuse.sh).
set -euo pipefail
packages=(cmake ninja-build g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
          googletest wine wine64 fonts-wine unzip)
if [ "${1:-test}" = demo ]; then
  packages+=(xvfb xauth imagemagick x11-utils xdotool)
elif [ "${1:-test}" = fuse ]; then
  packages+=(bindfs)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]}; run this command as root to install them." >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
