#!/bin/sh
# Configures and builds one preset of CMakePresets.json: native, sanitize
# or win32 (everything, tests included), app-native or app-win32 (the
# plug-in and logreplay only). Extra arguments go to cmake --build.
set -eu
cd "$(dirname "$0")/.."
preset="$1"
shift
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" "$@"
