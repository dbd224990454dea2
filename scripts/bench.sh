#!/bin/sh
# Builds the plug-in and its benchmarks in Release and runs them in a
# scratch folder with a Plugins folder (they write err.txt and
# Plugins/TAVIN.ini there):
#   sh scripts/bench.sh [ARGS]         libStats.so, natively (build/bench)
#   sh scripts/bench.sh win32 [ARGS]   Stats.dll and the benchmarks cross-built
#                                      for 32-bit Windows (build/bench-win32),
#                                      run under Wine
# The programs:
#   1. stats_bench: the exports as the host calls them, five repetitions,
#      medians and spreads only (ARGS go to Google Benchmark);
#   2. reference_bench: the same replay through the linear model of the
#      rules (natively only: it does not touch the plug-in);
#   3. memory_probe: peak memory per stored QSO for a 1M-QSO replay.
# STATS_BENCH_BUILD names another build folder. Under Wine the prefix is
# STATS_WINEPREFIX (default ~/.cache/stats-wine), as for the tests.
# docs/performance.md explains the figures.
set -eu
cd "$(dirname "$0")/.."
root="$(pwd)"
system=native
if [ "${1:-}" = win32 ]; then
  system=win32
  shift
fi
if [ "$(id -u)" = 0 ]; then sh scripts/install-deps.sh; fi

if [ "$system" = win32 ]; then
  build="${STATS_BENCH_BUILD:-$root/build/bench-win32}"
  source="$(sh scripts/fetch-benchmark.sh)"
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DSTATS_TESTS=OFF \
    -DSTATS_BENCH=ON -DSTATS_BENCHMARK_SOURCE="$source" >/dev/null
  cmake --build "$build" --target Stats stats_bench memory_probe
  export STATS_WINEPREFIX="${STATS_WINEPREFIX:-$HOME/.cache/stats-wine}"
  # No display: the benchmarks never turn the Cabrillo output on, so no
  # window is due, and one that came anyway would fail at once rather than
  # wait for an operator.
  unset DISPLAY
else
  build="${STATS_BENCH_BUILD:-$root/build/bench}"
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSTATS_BENCH=ON >/dev/null
  cmake --build "$build" --target Stats stats_bench reference_bench memory_probe
fi

# Runs the benchmark program $1 of the build with the other arguments.
program() {
  name="$1"
  shift
  if [ "$system" = win32 ]; then
    "$root/cmake/wine-run.sh" "$build/bench/$name.exe" "$@"
  else
    "$build/bench/$name" "$@"
  fi
}

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/Plugins"
cd "$work"
lscpu | sed -n 's/^Model name: *//p'
echo "cores: $(nproc), load average: $(cut -d' ' -f1-3 /proc/loadavg)"
if [ "$system" = win32 ]; then wine --version; fi
program stats_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
if [ "$system" = native ]; then program reference_bench; fi
program memory_probe 1000000
