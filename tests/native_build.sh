#!/bin/sh
# Brings targets of the native build up to date, for a Windows test that
# compares with it. Fails, naming the commands to run, when that build was
# never configured.
#   native_build.sh BUILD_FOLDER TARGET...
set -u
if [ $# -lt 2 ]; then
  echo "usage: $0 BUILD_FOLDER TARGET..." >&2
  exit 2
fi
build="$1"
shift
if [ ! -f "$build/CMakeCache.txt" ]; then
  echo "no native build in $build: make it first" \
    "(cmake --preset native && cmake --build --preset native)" >&2
  exit 2
fi
exec cmake --build "$build" --target "$@"
