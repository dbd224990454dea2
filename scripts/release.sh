#!/bin/sh
# Builds the release from scratch in build/release (preset release) and
# writes dist/Stats-VERSION-win32.zip and dist/SHA256SUMS. The win32 test
# preset builds and tests the same DLL (sh scripts/test.sh).
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh app
rm -rf build/release dist
sh scripts/build.sh release
mkdir dist
cp build/release/dist/*.zip build/release/dist/SHA256SUMS dist/
(cd dist && sha256sum -c SHA256SUMS)
ls -l dist
