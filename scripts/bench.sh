#!/bin/sh
# Builds the plug-in and its benchmarks in Release and runs them in a
# scratch folder (they write err.txt and Plugins/TAVIN.ini there):
#   1. stats_bench: the exports as the host calls them, five repetitions,
#      medians and spreads only (extra arguments go to Google Benchmark);
#   2. reference_bench: the same replay through the linear model of the rules;
#   3. memory_probe: peak resident set per stored QSO for a 1M-QSO replay.
# The build folder is build/bench unless STATS_BENCH_BUILD names another.
# docs/performance.md explains the figures.
set -eu
cd "$(dirname "$0")/.."
root="$(pwd)"
build="${STATS_BENCH_BUILD:-$root/build/bench}"
if [ "$(id -u)" = 0 ]; then sh scripts/install-deps.sh; fi

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSTATS_BENCH=ON >/dev/null
cmake --build "$build" --target Stats stats_bench reference_bench memory_probe

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/Plugins"
cd "$work"
lscpu | sed -n 's/^Model name: *//p'
echo "cores: $(nproc), load average: $(cut -d' ' -f1-3 /proc/loadavg)"
"$build/bench/stats_bench" --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true "$@"
"$build/bench/reference_bench"
"$build/bench/memory_probe" 1000000
