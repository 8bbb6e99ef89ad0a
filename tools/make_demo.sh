#!/bin/bash
# Makes the demo game folder: the three programs and their help files from a
# build's bin folder, the stand-in program copied as Jazz2.exe and JCS.exe,
# and made-up episode and level files. Every data file is written here, empty
# or filled with generated text: the folder holds nothing of the game itself.
# The folder is made afresh on every run; an existing folder is only removed
# when it carries the mark this script leaves (.jj-demo), so a mistyped path
# never wipes anything else.
#
# Usage: tools/make_demo.sh [bin folder] [game folder]
#        (defaults: build/bin and demo/game)
# The bin folder must hold all three programs, their help files and the
# stand-in (a build makes them all); otherwise nothing is made.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=${1:-$root/build/bin}
game=${2:-$root/demo/game}

for f in showargs.exe Quenby.exe HlpQuenby.qxh Halvick.exe HlpHalvick.qxh Ostrell.exe HlpOstrell.qxh; do
  if [ ! -f "$bin/$f" ]; then
    echo "make_demo: $bin/$f is missing; build first (tools/build.sh)." >&2
    exit 1
  fi
done
if [ -e "$game" ]; then
  if [ ! -f "$game/.jj-demo" ]; then
    echo "make_demo: $game exists and is not a demo folder made by this script; leaving it alone." >&2
    exit 1
  fi
  rm -rf -- "$game"
fi
mkdir -p "$game"
touch "$game/.jj-demo"

# The programs and their help files.
for program in Quenby Halvick Ostrell; do
  cp "$bin/$program.exe" "$bin/Hlp$program.qxh" "$game/"
done
cp "$bin/showargs.exe" "$game/Jazz2.exe"
cp "$bin/showargs.exe" "$game/JCS.exe"

# generate NAME BYTES [DATE]: a file of generated text ("demo file NAME" over and
# over), cut to BYTES; its time of last change set to DATE when given.
generate() {
  local path="$game/$1"
  if [ "$2" -eq 0 ]; then
    : >"$path"
  else
    yes "demo file $1, made by make_demo.sh" | head -c "$2" >"$path" || true
  fi
  if [ -n "${3:-}" ]; then touch -d "$3" "$path"; fi
}

# Episodes: active (.j2e, .J2E) and inactive (.jxe), names in mixed letter
# case, known and unknown. Seven are active, one below the game's limit.
generate prince.j2e 20480 "2024-01-12 10:15"
generate rescue.j2e 18944 "2024-01-12 10:16"
generate FLASH.J2E 31744 "2024-02-03 18:40"
generate secretf.j2e 15360 "2024-02-29 23:59"
generate Home.j2e 1536 "2023-11-05 08:00"
generate TOMB.J2E 4096 "2023-07-21 12:30"
generate myepisode.j2e 777 "2025-05-05 05:05"
generate Monk.jxe 12288 "2024-03-17 09:45"
generate Share.jxe 9216 "2023-12-24 16:20"
generate night.jxe 2560 "2022-10-31 21:00"
generate xprince.jxe 100 "2025-01-01 00:00"
# An unofficial episode with all of its companion files.
generate pmsb.jxe 3072 "2021-06-15 14:00"
size=17000
for level in monkey1 monkey2 monkey3 monkey4 monkey4-2 monkey5 monkey6 monkey7; do
  generate "$level.j2l" "$size" "2021-06-15 14:00"
  size=$((size + 4321))
done

# Levels: blanks, capitals and digits, so that natural order shows
# ("Castle 1", "castle2", "Castle10"); sizes from empty to a few megabytes.
generate "Castle 1.j2l" 45056 "2024-04-01 09:30"
generate castle2.j2l 51200 "2024-04-02 13:05"
generate Castle10.J2L 60416 "2024-04-10 17:45"
generate "my level.j2l" 0 "2025-03-09 22:10"
generate level3.j2l 8192 "2023-08-08 08:08"
generate Level20.j2l 8193 "2023-08-20 20:20"
generate "Battle 1.J2L" 33000 "2022-02-22 02:22"
generate battle12.j2l 34000 "2022-12-12 12:12"
generate "jungle 02.j2l" 70000 "2024-06-30 06:30"
generate "Jungle 11.J2L" 71000 "2024-07-01 11:11"
generate "big level.j2l" 2345678 "2025-08-01 15:00"
generate "Rock & Roll.j2l" 23456 "2024-09-09 19:09"
generate tiny.j2l 1 "2020-01-01 12:00"
generate "Town.J2L" 39999 "2023-05-17 07:35"

# Other files of a game folder: listed by neither program.
generate readme.txt 900
generate notes.TXT 300
generate "levels.j2l.bak" 1000
generate "episode.j2ex" 500
mkdir -p "$game/Saved.j2l"  # a folder with a level's name: never listed

count=$(find "$game" -mindepth 1 -maxdepth 1 ! -name .jj-demo | wc -l)
echo "make_demo: $game is ready ($count entries)."
