// The same replay as BM_Replay, through the linear model of the rules that
// the tests hold the plug-in to: one scan of the store per QSO offered. It
// writes no error report, which only flatters it.

#include <vector>

#include <benchmark/benchmark.h>

#include "bench/bench_plugin.h"
#include "tests/generated_logs.h"
#include "tests/reference_model.h"

using platform::COleDateTime;
using stats::ResetInput;

namespace bench {
namespace {

void BM_ReferenceReplay(benchmark::State& state) {
  const tools::ContestLogOptions options =
      LargeLogOptions(static_cast<std::size_t>(state.range(0)));
  std::vector<testing_support::OwnedQso> inputs;
  for (const tools::AdifQso& q : tools::GenerateContestLog(options)) {
    inputs.push_back(testing_support::OwnedOf(options.ownCall, q));
  }
  ResetInput reset;
  reset.start = COleDateTime(options.start, COleDateTime::valid);
  reset.ownMultCode = options.ownMultCode;
  reset.ownGroupCode = "G3";

  for (auto _ : state) {
    testing_support::LinearModel model;
    model.Reset(reset);
    for (const testing_support::OwnedQso& in : inputs) model.Add(testing_support::InputOf(in));
    benchmark::DoNotOptimize(model.Store().size());
  }
  state.SetComplexityN(state.range(0));
  state.counters["per_qso"] = benchmark::Counter(
      static_cast<double>(state.range(0)),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ReferenceReplay)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNSquared);

}  // namespace
}  // namespace bench

BENCHMARK_MAIN();
