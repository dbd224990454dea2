#!/bin/sh
# Draws docs/report.png, the README's picture of the report page: builds
# libStats.so and logreplay (preset app-native), replays the sample log with
# --report and takes a screenshot of the page with headless Chromium.
set -eu
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
sh scripts/install-deps.sh app
command -v chromium >/dev/null 2>&1 || {
  echo "report-picture.sh: chromium is missing (sh scripts/install-deps.sh test)" >&2
  exit 1
}
sh scripts/build.sh app-native
work="$root/build/app-native/report"
rm -rf "$work"
mkdir -p "$work"
(cd "$work" && "$root/build/app-native/logreplay" score "$root/examples/sample.adi" \
  --group-field APP_UT_GROUP --own-group G3 --report report.html </dev/null >/dev/null)
# The window is as tall as the sample's page; --no-sandbox as root.
chromium --headless --disable-gpu --no-sandbox --no-first-run --hide-scrollbars \
  --user-data-dir="$work/profile" --disable-background-networking \
  --disable-component-update --force-device-scale-factor=0.8 --window-size=1000,2170 \
  --screenshot="$root/docs/report.png" "file://$work/report.html" 2>/dev/null
ls -l docs/report.png
