#!/bin/sh
# Makes a delay-import library for a DLL with every function of the
# toolchain's import library for it.
# Usage: delaylib.sh <nm> <dlltool> <import library> <dll name> <output>
set -eu
nm=$1 dlltool=$2 lib=$3 dll=$4 out=$5
{
  echo "LIBRARY $dll"
  echo "EXPORTS"
  "$nm" "$lib" | awk '$2 == "I" && $3 ~ /^__imp_/ { print substr($3, 7) }' | sort -u
} > "$out.def"
"$dlltool" --input-def "$out.def" --dllname "$dll" --output-delaylib "$out"
