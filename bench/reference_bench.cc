// The same replay as BM_Replay, through the linear model of the rules that
// the tests hold the plug-in to: one scan of the store per QSO offered. It
// writes no error report, which only flatters it.

#include <vector>

#include <benchmark/benchmark.h>

#include "bench/contest_log.h"
#include "tests/reference_model.h"

namespace bench {
namespace {

QsoInput InputOf(const std::string& ownCall, const LoggedQso& q) {
  QsoInput in;
  in.ownCall = ownCall;
  in.call = q.call;
  in.time = COleDateTime(q.time, COleDateTime::valid);
  in.freqHz = q.freqHz;
  in.mode = q.mode;
  in.rstSent = q.rstSent;
  in.rstRcvd = q.rstRcvd;
  in.exchSent = q.exchSent;
  in.exchRcvd = q.exchRcvd;
  in.multCode = q.multCode;
  in.group = q.group;
  in.band = q.band;
  return in;
}

void BM_ReferenceReplay(benchmark::State& state) {
  ContestLogOptions options;
  options.qsoCount = static_cast<std::size_t>(state.range(0));
  std::vector<QsoInput> inputs;
  for (const LoggedQso& q : GenerateContestLog(options)) {
    inputs.push_back(InputOf(options.ownCall, q));
  }
  ResetInput reset;
  reset.start = COleDateTime(options.start, COleDateTime::valid);
  reset.ownMultCode = options.ownMultCode;
  reset.ownGroupCode = "G3";

  for (auto _ : state) {
    testing_support::LinearModel model;
    model.Reset(reset);
    for (const QsoInput& in : inputs) model.Add(in);
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
