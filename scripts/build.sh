#!/bin/sh
# Configures and builds one preset: native, sanitize or win32.
set -eu
cd "$(dirname "$0")/.."
preset="$1"
shift
cmake --preset "$preset" -G Ninja >/dev/null
cmake --build --preset "$preset" "$@"
