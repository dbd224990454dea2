#!/bin/sh
# The main job: builds libStats.so, Stats.dll and the host stand-in (no
# tests), then scores the sample contest log through the plug-in's exports.
# Extra arguments go to "logreplay score" (for example --cabrillo).
set -eu
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
sh scripts/install-deps.sh app
sh scripts/build.sh app-native
sh scripts/build.sh app-win32
# A fresh working folder each run: the plug-in writes err.txt,
# Plugins/TAVIN.ini and, with --cabrillo, the .cbr there.
cd "$root/build/app-native"
rm -rf replay
# Standard input is not the operator's: no header form is asked for.
"$root/build/app-native/logreplay" score "$root/examples/sample.adi" --work replay \
  --group-field APP_UT_GROUP --own-group G3 "$@" </dev/null
