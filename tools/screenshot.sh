#!/bin/bash
# Takes a screenshot of one program on the demo game folder at a given screen
# resolution: builds, makes the demo folder (tools/make_demo.sh), starts a
# virtual X screen (Xvfb), sets the resolution in a prefix of its own for
# that DPI, opens the program inside a Wine desktop window (which draws the
# title bar), waits a few seconds and saves the screen as
# shots/<program>-<dpi>.png. Everything it started (the Windows processes,
# the wineserver, Xvfb) is stopped at the end, also on failure.
#
# Usage: bash tools/screenshot.sh quenby|halvick|ostrell|frmlaunch|showargs [dpi|nofonts]
#        (dpi: 96 by default; 120, 144 and 192 are the usual larger ones;
#        nofonts: 96 DPI in a prefix without Wine's own fonts;
#        frmlaunch is Halvick with its launch options dialog open on a level)
#        bash tools/screenshot.sh readme
#        (the README's pictures: each main window and the launch options
#        dialog at 96 DPI, cut to the windows, as docs/<name>.png)
# Environment, all optional:
#   JJ_BUILD        build folder (default build)
#   JJ_SHOT         the picture to write (default shots/<program>-<dpi>.png)
#   JJ_SHOT_PREFIX  the Wine prefix (default <build>/shot-prefix-<dpi>)
#   JJ_SHOT_WAIT    seconds between the start and the picture (default 4)
#   JJ_NO_BUILD=1   take the build and the demo folder as they are
#   JJ_SHOT_TRIM=1  cut the picture to the windows on the screen
#   JJ_SHOT_KEYS    keys to type before the picture (xdotool key names), e.g.
#                   "alt+a" for the About box, "Tab Down alt+j" for Halvick's
#                   launch dialog
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

program=${1:-}
dpi=${2:-96}
build=${JJ_BUILD:-build}

if [ "$program" = readme ]; then
  [ -n "${JJ_NO_BUILD:-}" ] || { tools/setup.sh demo; tools/build.sh "$build"; tools/make_demo.sh "$build/bin" demo/game; }
  for name in quenby halvick ostrell frmlaunch; do
    JJ_NO_BUILD=1 JJ_SHOT_TRIM=1 JJ_SHOT="docs/$name.png" JJ_SHOT_PREFIX="$build/shot-prefix-96" \
      bash "$0" "$name" 96
  done
  exit 0
fi

drive=
name=$dpi
if [ "$dpi" = nofonts ]; then
  dpi=96
  export JJ_NO_WINE_FONTS=1
fi
case "$program" in
  quenby) exe=Quenby.exe ;;
  halvick) exe=Halvick.exe ;;
  ostrell) exe=Ostrell.exe ;;
  frmlaunch) exe=Halvick.exe drive=castle ;;  # a search, the first level, Launch
  showargs) exe=Jazz2.exe ;;  # the stand-in, as the game
  *) echo "usage: bash tools/screenshot.sh quenby|halvick|ostrell|frmlaunch|showargs [dpi|nofonts] | readme" >&2; exit 2 ;;
esac
if ! [[ "$dpi" =~ ^[0-9]+$ ]] || [ "$dpi" -lt 48 ] || [ "$dpi" -gt 480 ]; then
  echo "screenshot: the DPI must be a number from 48 to 480, not '$dpi'." >&2
  exit 2
fi
shot=${JJ_SHOT:-shots/$program-$name${JJ_SHOT_KEYS:+-$(tr 'A-Z' 'a-z' <<<"$JJ_SHOT_KEYS" | tr -c 'a-z0-9\n' _)}.png}
prefix=${JJ_SHOT_PREFIX:-$build/shot-prefix-$name}
wait_seconds=${JJ_SHOT_WAIT:-4}

if [ -z "${JJ_IN_XVFB:-}" ]; then
  if [ -z "${JJ_NO_BUILD:-}" ]; then
    tools/setup.sh demo
    tools/build.sh "$build"
    tools/make_demo.sh "$build/bin" demo/game
  fi
  if [ ! -f "demo/game/$exe" ]; then
    echo "screenshot: demo/game/$exe is missing: make the demo folder first (tools/make_demo.sh)." >&2
    exit 1
  fi
  mkdir -p "$(dirname "$shot")"
  # Again inside a fresh virtual screen; xvfb-run ends Xvfb when we are done.
  # Wine's output goes nowhere, so that no process holds ours open.
  case "$shot" in /*) ;; *) shot=$root/$shot ;; esac
  case "$prefix" in /*) ;; *) prefix=$root/$prefix ;; esac
  JJ_IN_XVFB=1 JJ_SHOT="$shot" JJ_SHOT_PREFIX="$prefix" \
    xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash "$0" "$program" "$name"
  echo "${shot#"$root"/}"
  exit 0
fi

# Inside Xvfb.
. tools/demo-wine.sh
trap demo_wine_stop EXIT
demo_wine_prefix "$prefix" "$dpi"
cd demo/game
wine explorer /desktop=shot,1024x768 "$(demo_windows_path "$exe")" </dev/null >/dev/null 2>&1 9>&- &
if [ -n "$drive" ]; then
  # Opens the launch options dialog from the outside, as a user would.
  probe=$build/tools/jjprobe.exe
  case "$probe" in /*) ;; *) probe=$root/$probe ;; esac
  wine "$(demo_windows_path "$probe")" launch-dialog "$drive" shot </dev/null 9>&- ||
    echo "screenshot: could not open the launch options dialog; the picture shows what is there." >&2
fi
sleep "$wait_seconds"
if [ -n "${JJ_SHOT_KEYS:-}" ]; then
  # shellcheck disable=SC2086
  xdotool key --delay 400 $JJ_SHOT_KEYS
  sleep 2
fi
import -window root "$shot"
if [ -n "${JJ_SHOT_TRIM:-}" ]; then
  convert "$shot" -trim +repage "$shot"
fi
demo_wine_stop
wait || true
