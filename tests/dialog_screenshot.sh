#!/bin/sh
# Photographs the Cabrillo header dialog as Wine draws it on a virtual X
# screen: runs the dialog UI test's hold-open case, waits for the window and
# saves it as a PNG.
#
# Usage: tests/dialog_screenshot.sh DIALOG_UI_TEST_EXE [OUTPUT_PNG]
# OUTPUT_PNG defaults to docs/cabrillo-dialog.png of this work tree.
# Needs the Debian packages wine, xvfb, x11-utils and imagemagick.
# WINEPREFIX may be set; the default is the build's own 32-bit prefix.
set -eu

if [ $# -lt 1 ]; then
  echo "usage: $0 DIALOG_UI_TEST_EXE [OUTPUT_PNG]" >&2
  exit 2
fi
exe=$1
root=$(cd "$(dirname "$0")/.." && pwd)
out=${2:-$root/docs/cabrillo-dialog.png}
for tool in wine xvfb-run xwininfo import; do
  command -v "$tool" >/dev/null || { echo "$0: $tool is missing" >&2; exit 1; }
done

: "${WINEPREFIX:=${STATS_WINEPREFIX:-$HOME/.cache/stats-wine}}"
export WINEPREFIX WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export DIALOG_HOLD_SECONDS="${DIALOG_HOLD_SECONDS:-8}"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
# Xvfb runs no window manager: Wine then draws the frame and caption itself
# for a window it does not hand to one (set for this program only).
wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$(basename "$exe")\\X11 Driver" \
  /v Managed /d N /f >/dev/null 2>&1
wineserver -w
mkdir -p "$(dirname "$out")"

xvfb-run -a -s "-screen 0 800x600x24" sh -c '
  wine "$1" --gtest_also_run_disabled_tests \
    --gtest_filter="*HoldOpenForScreenshot" >/dev/null 2>&1 &
  test_pid=$!
  window=
  tries=0
  while [ -z "$window" ] && [ "$tries" -lt 300 ]; do
    window=$(xwininfo -root -tree 2>/dev/null |
      awk "/\"CQ UT CONTEST\"/ { print \$1; exit }")
    tries=$((tries + 1))
    [ -n "$window" ] || sleep 0.2
  done
  status=1
  if [ -n "$window" ]; then
    sleep 1  # the controls paint after the frame appears
    import -window "$window" "$2" && status=0
  else
    echo "the dialog did not appear" >&2
  fi
  wait "$test_pid" || true
  exit "$status"
' sh "$exe" "$out"
echo "wrote $out"
