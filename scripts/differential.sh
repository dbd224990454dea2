#!/bin/sh
# The differential test for longer than the test command runs it, for before
# a release: the same random sequences of host calls through libStats.so
# and, under Wine in a virtual X display, through the Stats.dll that ships;
# the two transcripts must be identical byte for byte.
#
#   sh scripts/differential.sh [SEQUENCES [SEED]]   (default: 5000, a new seed)
#
# Builds what it needs in build/native and build/win32; the transcripts stay
# in build/differential. The seed is printed first: a difference found can
# be run again with it.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
sequences="${1:-5000}"
seed="${2:-$(date +%s)}"
export STATS_WINEPREFIX="${STATS_WINEPREFIX:-$HOME/.cache/stats-wine}"
echo "differential: $sequences sequences, seed $seed"

cmake --preset native >/dev/null
cmake --build --preset native --target Stats differential_driver
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target differential_driver release_build version_fixtures

export VERSION_FIXTURE_DIR="$root/build/win32/tests/version_fixture"
xvfb-run -a sh tests/differential_test.sh \
  build/native/tests/differential_driver build/native/libStats.so \
  "$root/cmake/wine-run.sh" build/win32/tests/differential_driver.exe \
  build/win32/release/Stats.dll "$root/build/differential" "$seed" "$sequences"
