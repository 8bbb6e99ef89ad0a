#!/bin/bash
# The release zip: its name and exact list of files; each program a stripped
# GUI x86-64 program that imports only Windows' own DLLs, none of their
# functions newer than Windows 7 SP1, and carries its version information and
# manifest; and each program, unpacked beside a game folder's files, starts
# under Wine, lists those files, shows the package's version in its About box
# and ends when its window is closed.
# Usage: package_test.sh <build folder> <name> <version> <objdump> <jjprobe.exe> <cpack>
set -uo pipefail
build=$1 name=$2 version=$3 objdump=$4 probe=$5 cpack=$6
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
windows_path() { local p; p=$(realpath "$1"); printf 'Z:%s' "${p//\//\\}"; }

zip=$work/out/$name-$version-win64.zip
if ! "$cpack" -G ZIP --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  echo "FAIL: cpack failed"
  exit 1
fi
if [ ! -f "$zip" ]; then
  fail "no $(basename "$zip"); cpack made: $(ls "$work/out")"
  exit 1
fi

# Exactly these files, at the top of the archive so that they land in the
# folder it is unpacked into.
expected=$(printf '%s\n' Halvick.exe HlpHalvick.qxh HlpOstrell.qxh HlpQuenby.qxh Ostrell.exe Quenby.exe ReadMe.txt)
listed=$(unzip -Z1 "$zip" | sort)
[ "$listed" = "$expected" ] || fail "the zip holds:
$listed
instead of:
$expected"

game="$work/Jazz Jackrabbit 2 (game)"  # a folder name with blanks, as many are
mkdir -p "$game"
unzip -q "$zip" -d "$game" || fail "unzip failed"
grep -q $'\r$' "$game/ReadMe.txt" || fail "ReadMe.txt has no Windows line ends (Notepad shows it as one line)"

# Windows' own DLLs, as a program of this kind may import them.
windows_dlls=" advapi32.dll bcrypt.dll comctl32.dll comdlg32.dll gdi32.dll imm32.dll kernel32.dll msvcrt.dll"
windows_dlls+=" ntdll.dll ole32.dll oleaut32.dll shell32.dll shlwapi.dll user32.dll uxtheme.dll version.dll "
for program in Quenby Halvick Ostrell; do
  exe=$game/$program.exe
  header=$("$objdump" -f "$exe")
  grep -q 'file format pei-x86-64' <<<"$header" || fail "$program.exe is not an x86-64 Windows program: $header"
  details=$("$objdump" -p "$exe")
  grep -qE '^Subsystem\s+00000002\s+\(Windows GUI\)' <<<"$details" || fail "$program.exe is not a GUI program"
  while read -r dll; do
    [[ "$windows_dlls" == *" ${dll,,} "* ]] || fail "$program.exe imports $dll, which Windows does not ship"
  done < <(sed -n 's/^\s*DLL Name: //p' <<<"$details")
  # Loaded with the program: only the kernel and the C runtime. The others
  # are loaded at their first use, from the system folder only: the loader
  # would look for each in the program's folder first, and under Wine each
  # such look reads the whole game folder.
  loaded=$(sed -n 's/^\s*DLL Name: //p' <<<"$details" | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
  [ "$loaded" = "kernel32.dll msvcrt.dll " ] || fail "$program.exe loads $loaded at its start, not only kernel32.dll and msvcrt.dll"
  "$objdump" -t "$exe" 2>&1 | grep -q 'no symbols' || fail "$program.exe carries a symbol table (not stripped)"
  size=$(stat -c %s "$exe")
  echo "$program.exe: $size bytes"
  # A small download: each program at most 400 KB.
  [ "$size" -le 409600 ] || fail "$program.exe is $size bytes, over 400 KB"
done

# Everything below runs under Wine, in the build's test prefix.
emulator=$build/wine-run
for program in Quenby Halvick Ostrell; do
  "$emulator" "$probe" resources "$(windows_path "$game/$program.exe")" "$version" || fail "$program.exe's resources"
done

# Every Windows from 7 SP1 on: no function imported, at the start or at the
# first call, that Windows 7 without updates lacks (the list beside this
# script, with the first Windows that has each).
newer=$(dirname "$0")/newer-than-windows7.txt
for program in Quenby Halvick Ostrell; do
  # Once more where Wine itself did not start the reader (no output at all),
  # as seen once on a machine loaded with other builds.
  for try in 1 2; do
    imports=$("$emulator" "$probe" imports "$(windows_path "$game/$program.exe")" 2>"$work/probe.err" | tr -d '\r')
    status=$?
    [ "$status" -ne 0 ] && [ -z "$imports" ] && [ "$try" = 1 ] || break
    echo "note: the reader of $program.exe did not start (exit $status): $(cat "$work/probe.err"); once more"
  done
  [ "$status" -eq 0 ] || fail "$program.exe's import tables cannot be read (exit $status): $(cat "$work/probe.err")"
  # The reader finds both kinds, or it proves nothing.
  grep -qx 'kernel32.dll CreateFileW' <<<"$imports" && grep -qx 'user32.dll CreateWindowExW delayed' <<<"$imports" ||
    fail "the import tables of $program.exe read as: $imports"
  while read -r function since; do
    [[ -z "$function" || "$function" == "#"* ]] && continue
    while read -r dll _ delayed; do
      fail "$program.exe imports $function from $dll${delayed:+ (at its first call)}, which Windows has only from $since"
    done < <(grep -E "^[^ ]+ $function( delayed)?\$" <<<"$imports")
  done <"$newer"
done

# A game folder's files beside the programs: three episodes (one in capitals,
# one inactive), two levels, and files that neither program lists.
for f in prince.j2e FLASH.J2E monk.jxe "Castle 1.j2l" town.J2L Jazz2.exe readme.txt levels.j2l.bak; do
  printf 'made by the package test' >"$game/$f"
done
mkdir -p "$work/elsewhere"
cd "$work/elsewhere"  # started from another folder, as from a shortcut
"$emulator" "$probe" start "$(windows_path "$game/Quenby.exe")" Quenby 3 "$version" || fail "Quenby.exe's start"
"$emulator" "$probe" start "$(windows_path "$game/Halvick.exe")" Halvick 2 "$version" || fail "Halvick.exe's start"
"$emulator" "$probe" start "$(windows_path "$game/Ostrell.exe")" Ostrell 2 "$version" || fail "Ostrell.exe's start"

if [ "$failures" -gt 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "package: all checks passed"
