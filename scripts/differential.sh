#!/bin/sh
# The differential test for longer than the test command runs it, for before
# a release: the same random sequences of host calls through libStats.so
# and, under Wine in a virtual X display, through the Stats.dll that ships;
# the two transcripts must be identical byte for byte.
#
#   sh scripts/differential.sh [SEQUENCES [SEED]]   (default: 5000, a new seed)
#
# Builds what it needs in build/native and build/win32; the transcripts stay
# in build/differential. The seed is printed first, and each batch's seed
# for a long run: a difference found can be run again with it.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
sequences="${1:-5000}"
seed="${2:-$(date +%s)}"
case "$sequences:$seed" in
  *[!0-9:]* | :* | *:) sequences=0 ;;
esac
# Without leading zeros, which the shell's arithmetic reads as octal.
sequences=$(echo "$sequences" | sed 's/^0*\([0-9]\)/\1/')
seed=$(echo "$seed" | sed 's/^0*\([0-9]\)/\1/')
if [ "$sequences" -lt 1 ]; then
  echo "usage: sh scripts/differential.sh [SEQUENCES [SEED]] (whole numbers, SEQUENCES at least 1)" >&2
  exit 2
fi
export STATS_WINEPREFIX="${STATS_WINEPREFIX:-$HOME/.cache/stats-wine}"
echo "differential: $sequences sequences, seed $seed"

cmake --preset native >/dev/null
cmake --build --preset native --target Stats differential_driver
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target differential_driver release_build version_fixtures

# Both drivers must run within one hour of the clock (the call check reads
# it): a long run goes in batches of at most 2000 sequences, about 6 minutes
# under Wine, batch K with seed SEED+K. The first batch that differs stops
# the run, its transcripts left in build/differential.
export VERSION_FIXTURE_DIR="$root/build/win32/tests/version_fixture"
batch=0
left="$sequences"
while [ "$left" -gt 0 ]; do
  count=$((left < 2000 ? left : 2000))
  [ "$count" -eq "$sequences" ] || echo "batch $batch: $count sequences, seed $((seed + batch))"
  xvfb-run -a sh tests/differential_test.sh \
    build/native/tests/differential_driver build/native/libStats.so \
    "$root/cmake/wine-run.sh" build/win32/tests/differential_driver.exe \
    build/win32/release/Stats.dll "$root/build/differential" "$((seed + batch))" "$count"
  left=$((left - count))
  batch=$((batch + 1))
done
