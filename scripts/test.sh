#!/bin/sh
# Builds and runs every test suite: native (with the contract suite under
# valgrind), sanitizers, the Windows DLL under Wine in a virtual X display,
# and the fuzz targets for 30 s each. Ends with one summary line.
set -u
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh test || exit 1
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

# Each fuzz target for a short, fixed time on its corpus (clang, sanitizers).
echo "=== fuzz: build and run"
mkdir -p build
fuzz_log=build/fuzz.log
sh scripts/fuzz.sh "${STATS_FUZZ_SECONDS:-30}" >"$fuzz_log" 2>&1
cat "$fuzz_log"
p=$(grep -c '^fuzz .*: passed$' "$fuzz_log")
f=$(grep -c '^fuzz .*: FAILED$' "$fuzz_log")
if [ $((p + f)) -eq 0 ]; then
  echo "=== fuzz: BUILD FAILED"
  f=1
fi
passed=$((passed + p))
failed=$((failed + f))
echo "summary: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
