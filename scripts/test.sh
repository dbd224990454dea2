#!/bin/sh
# Builds and runs every test suite: the format check of the sources, native
# (with the contract suite under valgrind), sanitizers, the Windows DLL
# under Wine in a virtual X display, and the fuzz targets for 30 s each
# (AddressSanitizer build).
# Ends with one summary line.
set -u
cd "$(dirname "$0")/.." || exit 1
sh scripts/install-deps.sh test || exit 1
export STATS_WINEPREFIX="${STATS_WINEPREFIX:-$HOME/.cache/stats-wine}"

passed=0
failed=0
# Adds one suite's counts: $1 its name, $2 the exit status of its run, $3
# and $4 the passed and failed counts read from its log. The exit status
# decides: a run that failed counts at least one failure, whatever its log
# says, and a run that passed none.
count_suite() {
  suite_failed="$4"
  if [ "$2" -eq 0 ]; then
    suite_failed=0
  else
    echo "=== $1: FAILED (exit status $2)"
    [ "$suite_failed" -gt 0 ] || suite_failed=1
  fi
  passed=$((passed + $3))
  failed=$((failed + suite_failed))
}

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
  status=0
  if [ "$preset" = win32 ]; then
    xvfb-run -a ctest --preset "$preset" >"$log" 2>&1 || status=$?
  else
    ctest --preset "$preset" >"$log" 2>&1 || status=$?
  fi
  cat "$log"
  count_suite "$preset" "$status" "$(grep -c 'Test *#[0-9]*: .* Passed' "$log")" \
    "$(grep -c 'Test *#[0-9]*: .*\(Failed\|Not Run\|Timeout\|Exception\)' "$log")"
}

# The sources against .clang-format: one suite, passed or failed.
echo "=== format"
status=0
sh scripts/check-format.sh || status=$?
count_suite format "$status" "$((status == 0))" 0

for preset in native sanitize win32; do
  run_suite "$preset"
done

# Each fuzz target for a short, fixed time on its corpus, in one process of
# the AddressSanitizer build: the volume build would run more inputs, but
# past the memory faults that only AddressSanitizer sees.
echo "=== fuzz: build and run"
mkdir -p build
fuzz_log=build/fuzz.log
status=0
sh scripts/fuzz.sh --asan --jobs 1 "${STATS_FUZZ_SECONDS:-30}" >"$fuzz_log" 2>&1 || status=$?
cat "$fuzz_log"
count_suite fuzz "$status" "$(grep -c '^fuzz .*: passed$' "$fuzz_log")" \
  "$(grep -c '^fuzz .*: FAILED$' "$fuzz_log")"
echo "summary: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
