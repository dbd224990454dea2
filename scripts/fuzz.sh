#!/bin/sh
# Builds the fuzz targets with clang and runs each for a fixed time on every
# core, then merges what the run found into the corpus.
#
#   sh scripts/fuzz.sh [--asan] [--jobs N] [--into-seeds] [SECONDS [TARGET...]]
#
# (default: 30 s, all four targets). The default build is the volume build,
# build/fuzz-volume: UndefinedBehaviorSanitizer alone, about twice the
# inputs a second. --asan takes build/fuzz instead, with AddressSanitizer
# and LeakSanitizer as well, which stop at the memory faults the volume
# build runs past (an overflow into a neighbouring block, a use after free,
# a leak). The targets' own checks run in both.
#
# --jobs N runs N processes at a time (libFuzzer's fork mode); the default
# is one per core, and 1 runs a single process without fork mode.
#
# The corpus of TARGET is the committed seeds, fuzz/corpus/TARGET, plus what
# earlier runs of either build found, build/fuzz-corpus/TARGET. A run writes
# what it finds to BUILD/found/TARGET, and merges it (-merge=1: only inputs
# that add coverage) into build/fuzz-corpus/TARGET, or with --into-seeds
# into the committed seeds. Files that once made a target fail, in
# fuzz/regressions/TARGET, are run first.
#
# FUZZ_ARGS adds libFuzzer options to every run (e.g. "-max_len=512"); a
# later option overrides an earlier one.
#
# Prints per target "TARGET: N executions, coverage A -> B (cov/ft)" with the
# coverage of the corpus before and after the run (with fork mode, of the
# corpus replayed by one process before the run and after the merge), for
# runs of more than 15 minutes with fork mode what fork mode counted in the
# last 15 of them, then "fuzz TARGET: passed" or "fuzz TARGET: FAILED". A
# crash leaves its input in BUILD/artifacts/TARGET/.
set -u
cd "$(dirname "$0")/.." || exit 1
root=$(pwd)

usage() {
  echo "usage: sh scripts/fuzz.sh [--asan] [--jobs N] [--into-seeds] [SECONDS [TARGET...]]" >&2
  exit 2
}

build="$root/build/fuzz-volume"
sanitizers=undefined
jobs=$(nproc 2>/dev/null || echo 1)
into_seeds=0
while [ $# -gt 0 ]; do
  case "$1" in
    --asan)
      build="$root/build/fuzz"
      sanitizers=address,undefined
      ;;
    --jobs)
      [ $# -ge 2 ] || usage
      jobs="$2"
      shift
      ;;
    --jobs=*) jobs="${1#--jobs=}" ;;
    --into-seeds) into_seeds=1 ;;
    -*) usage ;;
    *) break ;;
  esac
  shift
done
case "$jobs" in '' | *[!0-9]* | 0) usage ;; esac
seconds="${1:-30}"
case "$seconds" in '' | *[!0-9]* | 0) usage ;; esac
[ $# -gt 0 ] && shift
targets="${*:-fuzz_exports fuzz_settings fuzz_adif fuzz_cabrillo}"

if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTATS_FUZZ=ON -DSTATS_FUZZ_SANITIZERS="$sanitizers" \
    -DSTATS_TESTS=OFF -DSTATS_WERROR=ON >/dev/null ||
    exit 1
fi
# shellcheck disable=SC2086
cmake --build "$build" --target $targets || exit 1

# "cov/ft" from the last libFuzzer line of $2 that holds $1 (INITED, DONE).
coverage_of() {
  sed -n "s/.*$1 *cov: \([0-9]*\) ft: \([0-9]*\).*/\1\/\2/p" "$2" | tail -n 1
}

status=0
for target in $targets; do
  program="$build/fuzz/$target"
  seeds="$root/fuzz/corpus/$target"
  corpus="$root/build/fuzz-corpus/$target"
  found="$build/found/$target"
  artifacts="$build/artifacts/$target"
  log="$build/$target.log"
  into="$corpus"
  [ "$into_seeds" = 1 ] && into="$seeds"
  rm -rf "$artifacts" "$found"
  mkdir -p "$seeds" "$corpus" "$found" "$artifacts"
  # The plug-in's notices go to standard error: keep libFuzzer's lines only.
  # Standard input is /dev/null: no terminal form can wait for an operator.
  options="-max_len=4096 -timeout=25 -rss_limit_mb=3072 -artifact_prefix=$artifacts/"
  [ "$target" = fuzz_exports ] && options="$options -close_fd_mask=2"
  result=passed
  regressions="$root/fuzz/regressions/$target"
  if [ -d "$regressions" ]; then
    # shellcheck disable=SC2086
    "$program" -runs=0 $options "$regressions" </dev/null >"$log.regressions" 2>&1 ||
      result=FAILED
  fi

  # New inputs go to the first folder, $found.
  if [ "$jobs" -gt 1 ]; then
    # Fork mode prints no coverage before its first job ends: one process
    # replays the corpus for it, and again after the merge.
    # shellcheck disable=SC2086
    "$program" -runs=0 $options ${FUZZ_ARGS:-} "$corpus" "$seeds" </dev/null >"$log.start" 2>&1 ||
      result=FAILED
    # shellcheck disable=SC2086
    "$program" -fork="$jobs" -max_total_time="$seconds" $options ${FUZZ_ARGS:-} \
      "$found" "$corpus" "$seeds" </dev/null >"$log" 2>&1 || result=FAILED
  else
    # shellcheck disable=SC2086
    "$program" -max_total_time="$seconds" -print_final_stats=1 $options ${FUZZ_ARGS:-} \
      "$found" "$corpus" "$seeds" </dev/null >"$log" 2>&1 || result=FAILED
  fi
  # shellcheck disable=SC2086
  "$program" -merge=1 $options ${FUZZ_ARGS:-} "$into" "$found" </dev/null >"$log.merge" 2>&1 ||
    result=FAILED

  if [ "$jobs" -gt 1 ]; then
    # shellcheck disable=SC2086
    "$program" -runs=0 $options ${FUZZ_ARGS:-} "$corpus" "$seeds" </dev/null >"$log.end" 2>&1 ||
      result=FAILED
    executions=$(sed -n 's/^#\([0-9]*\): cov: .*/\1/p' "$log" | tail -n 1)
    start=$(coverage_of INITED "$log.start")
    end=$(coverage_of INITED "$log.end")
  else
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    start=$(coverage_of INITED "$log")
    end=$(coverage_of "" "$log")
  fi
  echo "$target: ${executions:-0} executions, coverage ${start:-?} -> ${end:-?} (cov/ft)"
  if [ "$jobs" -gt 1 ] && [ "$seconds" -gt 900 ]; then
    # Fork mode's lines: "#RUNS: cov: C ft: F corp: ... time: Ts job: ...".
    awk '/^#[0-9]+: cov: / {
           for (i = 1; i < NF; ++i) if ($i == "time:") t = $(i + 1) + 0
           n++; time[n] = t; cov[n] = $3 "/" $5; crash[n] = $11
         }
         END {
           if (n == 0) exit
           from = 1
           for (i = 1; i <= n; ++i) if (time[i] <= time[n] - 900) from = i
           split(crash[n], c, "/")
           printf "%s: last 15 min: coverage %s -> %s (cov/ft as fork mode counts); %d crashes in the run\n",
                  target, cov[from], cov[n], c[3]
         }' target="$target" "$log"
  fi
  grep -E '^MERGE-OUTER: [0-9]+ new files' "$log.merge" | sed "s|^MERGE-OUTER:|$target: merged into ${into#"$root"/}:|"

  [ -n "$(ls -A "$artifacts")" ] && result=FAILED
  if [ "$result" = FAILED ]; then
    tail -n 40 "$log"
    status=1
  fi
  echo "fuzz $target: $result"
done
exit $status
