#!/bin/bash
# The first command for a new user, as root on a fresh Debian 12: installs
# what is missing (tools/setup.sh demo), builds (tools/build.sh), makes the
# demo game folder demo/game (tools/make_demo.sh) and opens one program on it
# under Wine.
#   - With a display ($DISPLAY set): the program opens there, in a Wine
#     prefix of its own (build/demo-prefix); the script ends when the program
#     and everything it started (the stand-in game, notepad) have ended.
#   - Without one: the program runs on a virtual screen, a screenshot is
#     saved as shots/<program>.png, its path is printed, and the script ends.
# Whatever it started under Wine is stopped at the end, also on failure or
# Ctrl+C.
#
# Usage: bash tools/demo.sh [--zip] [quenby|halvick|ostrell]    (default: quenby)
# With --zip the demo folder gets the programs, help files and ReadMe from
# the release zip (made with the build's "package" target) instead of from
# the build's bin folder: what a player unpacks.
# JJ_BUILD=<folder> builds into another build folder than build/.
set -euo pipefail
cd "$(dirname "$0")/.."

from_zip=
if [ "${1:-}" = --zip ]; then
  from_zip=1
  shift
fi
program=${1:-quenby}
case "$program" in
  quenby) exe=Quenby.exe ;;
  halvick) exe=Halvick.exe ;;
  ostrell) exe=Ostrell.exe ;;
  *) echo "usage: bash tools/demo.sh [--zip] [quenby|halvick|ostrell]" >&2; exit 2 ;;
esac
build=${JJ_BUILD:-build}

tools/setup.sh demo
tools/build.sh "$build"
bin=$build/bin
if [ -n "$from_zip" ]; then
  cmake --build "$build" --target package >/dev/null
  zip=$build/$(sed -n 's/^set(CPACK_PACKAGE_FILE_NAME "\(.*\)")$/\1/p' "$build/CPackConfig.cmake").zip
  # The unpacked zip with the game's stand-in beside it, as make_demo.sh wants.
  bin=$build/package-demo
  rm -rf -- "$bin"
  mkdir -p "$bin"
  unzip -q "$zip" -d "$bin"
  cp "$build/bin/showargs.exe" "$bin/"
  echo "demo: the programs come from $zip."
fi
tools/make_demo.sh "$bin" demo/game
if [ -n "$from_zip" ]; then
  cp "$bin/ReadMe.txt" demo/game/
fi

if [ -z "${DISPLAY:-}" ]; then
  echo "demo: no display; taking a screenshot on a virtual screen instead."
  JJ_NO_BUILD=1 JJ_BUILD="$build" JJ_SHOT="shots/$program.png" JJ_SHOT_PREFIX="$build/demo-prefix" \
    tools/screenshot.sh "$program" 96
  exit 0
fi

. tools/demo-wine.sh
trap demo_wine_stop EXIT
demo_wine_prefix "$PWD/$build/demo-prefix"
echo "demo: opening $exe on $PWD/demo/game (close its window to end the demo)."
cd demo/game
wine "$(demo_windows_path "$exe")" </dev/null >/dev/null 2>&1 9>&- || true
# The game stand-in's boxes and notepad may still be open: wait for them.
wineserver -w || true
