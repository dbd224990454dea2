#!/bin/sh
# The main job: builds libStats.so, Stats.dll and the host stand-in, then
# scores the sample contest log through the plug-in's exports.
# Extra arguments go to "logreplay score" (for example --cabrillo).
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
sh scripts/build.sh native --target Stats logreplay
sh scripts/build.sh win32 --target Stats logreplay
work=build/native/replay
rm -rf "$work"
mkdir -p "$work/Plugins"
cd "$work"
# Standard input is not the operator's: no header form is asked for.
../logreplay score ../../../examples/sample.adi \
  --group-field APP_UT_GROUP --own-group G3 "$@" </dev/null
echo "Working folder (err.txt, Plugins/TAVIN.ini, the .cbr): $(pwd)"
