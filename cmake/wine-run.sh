#!/bin/sh
# Runs a Windows program under Wine in a 32-bit prefix of the project's own
# (STATS_WINEPREFIX, by default in the user's cache), set up on first use.
: "${WINEPREFIX:=${STATS_WINEPREFIX:-$HOME/.cache/stats-wine}}"
export WINEPREFIX WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/.stats-ready" ]; then
  mkdir -p "$WINEPREFIX"
  # ctest -j starts several first uses at once: one sets the prefix up while
  # the others wait for the lock, then find it ready.
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.stats-ready" ]; then
      [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
      # Xvfb runs no window manager; unmanaged windows close at once instead
      # of waiting for one, and Wine draws their frames itself.
      wine reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1
      wineserver -w
      touch "$WINEPREFIX/.stats-ready"
    fi
  ) 9>"$WINEPREFIX/.stats-lock"
fi
exec wine "$@"
