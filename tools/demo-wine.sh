# Wine for the demo and the screenshots: a prefix of its own that draws on an
# X display (real or Xvfb), unlike the test prefix with its null driver.
# Sourced by tools/demo.sh and tools/screenshot.sh.
#
#   demo_wine_prefix PREFIX [DPI]  makes the prefix quietly on first use,
#       sets its screen resolution (LogPixels) when DPI is given, gives it
#       Wine's own fonts unless JJ_NO_WINE_FONTS=1 (to see what a player
#       whose prefix lacks them sees), and brings
#       up the wineserver with one short process, so that the program's own
#       start does not race the desktop and services for them;
#   demo_wine_stop                  stops that prefix's wineserver and every
#       Windows process in it.
#
# Same approach as tools/wine-run.in: output of the set-up processes is
# discarded, and the lock's descriptor is closed for every process that may
# outlive the lock, so that nothing holds the lock (or a caller's output) open.

demo_wine_prefix() {
  export WINEPREFIX="$1"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree=;mshtml="
  export WINEARCH=win64
  local dpi="${2:-}"
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.jj-ready" ]; then
      wineboot --init </dev/null >/dev/null 2>&1 9>&-
      wineserver -w 9>&-
      touch "$WINEPREFIX/.jj-ready"
    fi
    # Debian's Wine does not give a new prefix its own fonts (MS Sans Serif,
    # Tahoma, Marlett for the title-bar buttons): without them every text
    # falls back to a wider face and the title-bar buttons show letters.
    # Linking them into the prefix's font folder makes windows look as
    # they do on Windows.
    local fonts="$WINEPREFIX/drive_c/windows/Fonts" f
    if [ -z "${JJ_NO_WINE_FONTS:-}" ] && [ -d /usr/share/wine/fonts ] && [ -d "$fonts" ]; then
      for f in /usr/share/wine/fonts/*; do
        [ -e "$fonts/${f##*/}" ] || ln -s "$f" "$fonts/${f##*/}"
      done
    fi
    if [ -n "$dpi" ]; then
      wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
        </dev/null >/dev/null 2>&1 9>&-
    fi
    wine cmd.exe /c exit </dev/null >/dev/null 2>&1 9>&-
  ) 9>"$WINEPREFIX.lock"
}

demo_wine_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k >/dev/null 2>&1 || true
  fi
}

# The Windows form of a Linux path (Wine's drive Z: is the root folder).
demo_windows_path() {
  local p
  p=$(realpath "$1")
  printf 'Z:%s\n' "${p//\//\\}"
}
