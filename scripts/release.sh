#!/bin/sh
# Builds the release from scratch in build/release (preset release) and
# writes dist/Stats-VERSION-win32.zip and dist/SHA256SUMS. The win32 test
# preset builds and tests the same files (sh scripts/test.sh). Refuses, with
# nothing built, while CHANGELOG.md has Unreleased entries or its latest
# release is not the version in CMakeLists.txt.
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh app
problem=$(cmake -DSOURCE_DIR="$PWD" -P cmake/release_check.cmake 2>&1)
if [ -n "$problem" ]; then
  echo "release.sh: $problem" >&2
  exit 1
fi
rm -rf build/release dist
sh scripts/build.sh release
mkdir dist
cp build/release/dist/*.zip build/release/dist/SHA256SUMS dist/
(cd dist && sha256sum -c SHA256SUMS)
ls -l dist
