#!/bin/sh
# Runs a Windows program under Wine in the build's own 32-bit prefix.
# WINEPREFIX may be set by the caller; the default lies beside this build.
: "${WINEPREFIX:=${STATS_WINEPREFIX:-$HOME/.cache/stats-wine}}"
export WINEPREFIX WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
exec wine "$@"
