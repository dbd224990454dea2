#!/bin/sh
# Builds and runs every test suite: native, sanitizers, and the Windows DLL
# under Wine in a virtual X display. Ends with one summary line.
set -u
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh || exit 1
export STATS_WINEPREFIX="${STATS_WINEPREFIX:-$HOME/.cache/stats-wine}"

passed=0
failed=0
run_suite() {
  preset="$1"
  echo "=== $preset: build"
  if ! sh scripts/build.sh "$preset"; then
    echo "=== $preset: BUILD FAILED"
    failed=$((failed + 1))
    return
  fi
  echo "=== $preset: test"
  log="build/$preset/ctest.log"
  if [ "$preset" = win32 ]; then
    xvfb-run -a ctest --preset "$preset" >"$log" 2>&1
  else
    ctest --preset "$preset" >"$log" 2>&1
  fi
  cat "$log"
  p=$(grep -c 'Test *#[0-9]*: .* Passed' "$log")
  f=$(grep -c 'Test *#[0-9]*: .*\(Failed\|Not Run\|Timeout\|Exception\)' "$log")
  passed=$((passed + p))
  failed=$((failed + f))
}

for preset in native sanitize win32; do
  run_suite "$preset"
done
echo "summary: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
