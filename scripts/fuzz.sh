#!/bin/sh
# Builds the fuzz targets with clang in build/fuzz and runs each for a fixed
# time on its corpus: the committed seeds of fuzz/corpus/TARGET plus what
# earlier runs found, kept in build/fuzz/corpus/TARGET. Files that once made
# a target fail, in fuzz/regressions/TARGET, are run first.
#
#   sh scripts/fuzz.sh [SECONDS [TARGET...]]    (default: 30 s, all four)
#
# FUZZ_ARGS adds libFuzzer options to every run (e.g. "-max_len=512"); a
# later option overrides an earlier one.
# Prints one line "fuzz TARGET: passed" or "fuzz TARGET: FAILED" per target;
# a crash leaves its input in build/fuzz/artifacts/TARGET/.
set -u
cd "$(dirname "$0")/.."
root=$(pwd)
seconds="${1:-30}"
[ $# -gt 0 ] && shift
targets="${*:-fuzz_exports fuzz_settings fuzz_adif fuzz_cabrillo}"
build="$root/build/fuzz"

if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTATS_FUZZ=ON -DSTATS_TESTS=OFF -DSTATS_WERROR=ON \
    >/dev/null ||
    exit 1
fi
# shellcheck disable=SC2086
cmake --build "$build" --target $targets || exit 1

status=0
for target in $targets; do
  program="$build/fuzz/$target"
  corpus="$build/corpus/$target"
  artifacts="$build/artifacts/$target"
  log="$build/$target.log"
  rm -rf "$artifacts"
  mkdir -p "$corpus" "$artifacts"
  # The plug-in's notices go to standard error: keep libFuzzer's lines only.
  quiet=""
  [ "$target" = fuzz_exports ] && quiet="-close_fd_mask=2"
  result=passed
  regressions="$root/fuzz/regressions/$target"
  if [ -d "$regressions" ]; then
    # shellcheck disable=SC2086
    "$program" -runs=0 $quiet "$regressions" </dev/null >"$log.regressions" 2>&1 ||
      result=FAILED
  fi
  # Standard input is /dev/null: no terminal form can wait for an operator.
  # shellcheck disable=SC2086
  "$program" -max_total_time="$seconds" -max_len=4096 -timeout=25 -rss_limit_mb=3072 \
    -print_final_stats=1 $quiet -artifact_prefix="$artifacts/" ${FUZZ_ARGS:-} \
    "$corpus" "$root/fuzz/corpus/$target" </dev/null >"$log" 2>&1 || result=FAILED
  if ls "$artifacts" | grep -q .; then result=FAILED; fi
  grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1
  grep -E '^stat::number_of_executed_units' "$log" | tail -n 1
  if [ "$result" = FAILED ]; then
    tail -n 40 "$log"
    status=1
  fi
  echo "fuzz $target: $result"
done
exit $status
