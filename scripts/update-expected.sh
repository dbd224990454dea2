#!/bin/sh
# Writes every expected output of the tools' tests again from the current
# native build (the golden files in tools/testdata: logreplay's standard
# output and error, err.txt and Cabrillo logs; logcheck's verdicts, logs,
# reports), then prints what changed. The tests' own checks of what a
# golden set must cover (every verdict in the mini-contest, the warnings
# of export.adi and round_trip_notes.adi) still run and still fail.
#   sh scripts/update-expected.sh [CTEST_REGEX]   (default: logreplay|logcheck)
# Read the diff before committing it: each change must be one the rules
# changed on purpose.
set -eu
cd "$(dirname "$0")/.."
sh scripts/build.sh native
status=0
STATS_UPDATE_EXPECTED=1 ctest --preset native -R "${1:-logreplay|logcheck}" \
  --verbose >build/native/update-expected.log 2>&1 || status=$?
grep -o 'updated .*' build/native/update-expected.log || true
git --no-pager diff --stat -- tools/testdata examples
git --no-pager diff -- tools/testdata examples
if [ "$status" -ne 0 ]; then
  echo "update-expected.sh: some tests still fail (build/native/update-expected.log):" >&2
  grep -E '^[0-9]+/[0-9]+ Test .*(Failed|Exception|Timeout)' build/native/update-expected.log >&2 || true
  exit 1
fi
