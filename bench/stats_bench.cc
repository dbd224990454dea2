// The plug-in through its exports, called the way the host calls them:
// replaying a log after a reset, results requests on the replayed store,
// call checks while a QSO is typed, and removals near the start of the log.

#include <chrono>
#include <cstdio>
#include <ctime>
#include <map>
#include <utility>
#include <random>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/bench_plugin.h"
#include "platform/plugin/file_appender.h"
#include "stats/contest_facts.h"

namespace bench {
namespace {

constexpr char kOwnGroupCode[] = "G3";
constexpr int64_t kLargeStore = 100000;

const tools::PluginHost& Plugin() {
  static const std::unique_ptr<tools::PluginHost> plugin = LoadPlugin();
  return *plugin;
}

// The contest started one tour before the current UTC hour, so the call
// check's clock lies in the second tour, among the logged QSOs.
constexpr double kTourDays = stats::kTourHours / 24.0;
tools::ContestLogOptions LogOptions(int64_t count, uint32_t refusedPerMille = 30) {
  static const double start = [] {
    const std::time_t hour = std::time(nullptr) / 3600 * 3600 - stats::kTourHours * 3600;
    return 25569.0 + static_cast<double>(hour) / 86400.0;
  }();
  tools::ContestLogOptions options = LargeLogOptions(static_cast<std::size_t>(count));
  options.start = start;
  options.refusedPerMille = refusedPerMille;
  return options;
}

const std::vector<tools::AdifQso>& Log(int64_t count, uint32_t refusedPerMille = 30) {
  static std::map<std::pair<int64_t, uint32_t>, std::vector<tools::AdifQso>> logs;
  const std::pair<int64_t, uint32_t> key(count, refusedPerMille);
  auto found = logs.find(key);
  if (found == logs.end()) {
    found = logs.emplace(key, tools::GenerateContestLog(LogOptions(count, refusedPerMille))).first;
  }
  return found->second;
}

// The QSO count of the log that the store holds as Replay left it, or -1
// once a benchmark changed the store.
int64_t g_replayedCount = -1;

void Replay(int64_t count, uint32_t refusedPerMille = 30) {
  const tools::ContestLogOptions options = LogOptions(count, refusedPerMille);
  Plugin().Reset(ResetArgsOf(options, kOwnGroupCode));
  for (const tools::AdifQso& q : Log(count, refusedPerMille)) Plugin().Add(options.ownCall, q);
  g_replayedCount = refusedPerMille == 30 ? count : -1;
}

// Replay unless the store already holds that log: Google Benchmark calls a
// benchmark several times while it settles the iteration count, and under
// Wine a replay of 100k QSOs takes seconds.
void HoldReplayed(int64_t count) {
  if (g_replayedCount != count) Replay(count);
}

void ReportPerQso(benchmark::State& state, int64_t count) {
  state.SetComplexityN(count);
  state.counters["per_qso"] =
      benchmark::Counter(static_cast<double>(count), benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}

// The one existence probe of err.txt that every AddData0 makes, through the
// same platform service: the floor of a QSO's cost, timed in the same run so
// the other figures can be read as multiples of it on any machine.
void BM_Probe(benchmark::State& state) {
  platform::FileAppender& files = platform::SystemFileAppender();
  files.Append("err.txt", "");
  for (auto _ : state) benchmark::DoNotOptimize(files.Exists("err.txt"));
}
BENCHMARK(BM_Probe)->Unit(benchmark::kNanosecond);

// AddData0 of a QSO that is refused (mode "RTTY"): its line is appended to
// err.txt, which opens and closes the file.
void BM_Refused(benchmark::State& state) {
  const tools::ContestLogOptions options = LogOptions(1000);
  Plugin().Reset(ResetArgsOf(options, kOwnGroupCode));
  g_replayedCount = -1;
  tools::AdifQso q = Log(1000).front();
  q.mode = "RTTY";
  for (auto _ : state) benchmark::DoNotOptimize(Plugin().Add(options.ownCall, q));
}
BENCHMARK(BM_Refused)->Unit(benchmark::kMicrosecond);

// ResetStats0, then AddData0 for every QSO of the log.
void BM_Replay(benchmark::State& state) {
  Log(state.range(0));
  for (auto _ : state) Replay(state.range(0));
  ReportPerQso(state, state.range(0));
}
BENCHMARK(BM_Replay)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Arg(400000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// The same with a log that the plug-in accepts whole: each AddData0 then
// costs its existence probe of err.txt and the work in memory, and none opens
// the file (see BM_Refused for those that do).
void BM_ReplayAccepted(benchmark::State& state) {
  Log(state.range(0), 0);
  for (auto _ : state) Replay(state.range(0), 0);
  ReportPerQso(state, state.range(0));
}
BENCHMARK(BM_ReplayAccepted)->Arg(100000)->Arg(400000)->Unit(benchmark::kMillisecond);

// The replay again, each time followed by as many existence probes of
// err.txt as the log has QSOs: `in_probes` is the replay's time over the
// probes', read in one stretch, so that the ratio holds even where the
// machine's speed drifts between benchmarks. The time shown is the replay's.
void BM_ReplayInProbes(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  const int64_t count = state.range(0);
  const auto perMille = static_cast<uint32_t>(state.range(1));
  Log(count, perMille);
  platform::FileAppender& files = platform::SystemFileAppender();
  double replayTime = 0.0, probeTime = 0.0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    Replay(count, perMille);
    const Clock::time_point replayed = Clock::now();
    for (int64_t i = 0; i < count; ++i) benchmark::DoNotOptimize(files.Exists("err.txt"));
    const Clock::time_point probed = Clock::now();
    const double replay = std::chrono::duration<double>(replayed - start).count();
    state.SetIterationTime(replay);
    replayTime += replay;
    probeTime += std::chrono::duration<double>(probed - replayed).count();
  }
  g_replayedCount = -1;
  state.counters["in_probes"] = replayTime / probeTime;
  state.counters["probe_ns"] = 1e9 * probeTime / static_cast<double>(count * state.iterations());
  ReportPerQso(state, count);
}
BENCHMARK(BM_ReplayInProbes)
    ->ArgNames({"qsos", "refused_per_mille"})
    ->Args({1000, 30})
    ->Args({100000, 30})
    ->Args({100000, 0})
    ->Args({400000, 30})
    ->Args({400000, 0})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// GetResult0 on the replayed store, Cabrillo output off.
void BM_Result(benchmark::State& state) {
  HoldReplayed(state.range(0));
  int32_t score = 0;
  for (auto _ : state) benchmark::DoNotOptimize(Plugin().Exports().GetResult0(&score));
  ReportPerQso(state, state.range(0));
}
BENCHMARK(BM_Result)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

struct Probe {
  std::string call, mode, multCode, band;
};

// Which calls the call check is asked about.
enum ProbeMix : int64_t {
  // A third each: a logged call on its band and mode (mostly repeats, in the
  // current tour), an unlogged call with a logged multiplier code on that
  // band (mostly no new multiplier), an unlogged call with an unknown code.
  kThirds = 0,
  // Logged QSOs of any time and tour, each checked as it was logged: call,
  // mode, code and band. The call's records on the band are all looked at
  // unless one is a repeat, and a call that is no repeat goes on to the
  // multiplier pass. So many that the records they reach do not stay in the
  // caches from one round to the next, as between the operator's checks.
  kLoggedCalls = 1,
};

std::vector<Probe> Probes(const std::vector<tools::AdifQso>& log, ProbeMix mix) {
  std::mt19937 random(7);
  std::vector<Probe> probes;
  const std::size_t count = mix == kLoggedCalls ? 65536 : 1024;
  const double tourStart = LogOptions(0).start + kTourDays, tourEnd = tourStart + kTourDays;
  while (probes.size() < count) {
    const tools::AdifQso& q = log[random() % log.size()];
    if (q.mode != "CW" && q.mode != "SSB") continue;
    if (mix == kLoggedCalls) {
      probes.push_back({q.call, q.mode, q.multCode, q.band});
      continue;
    }
    if (q.time < tourStart || q.time >= tourEnd) continue;
    switch (probes.size() % 3) {
      case 0:
        probes.push_back({q.call, q.mode, q.multCode, q.band});
        break;
      case 1:
        probes.push_back({q.call + "/P", q.mode, q.multCode, q.band});
        break;
      default:
        probes.push_back({q.call + "/P", q.mode, "QQ", q.band});
        break;
    }
  }
  return probes;
}

// CheckCall0 on a store of 100k QSOs, with the probes of a ProbeMix.
void BM_CheckCall(benchmark::State& state) {
  HoldReplayed(state.range(0));
  const std::vector<Probe> probes =
      Probes(Log(state.range(0)), static_cast<ProbeMix>(state.range(1)));
  double answers[3] = {0, 0, 0};
  std::size_t next = 0;
  for (auto _ : state) {
    const Probe& p = probes[next++ % probes.size()];
    const int32_t answer = Plugin().Calls().Check(tools::CheckCallArgs{
        p.call.c_str(), p.mode.c_str(), p.multCode.c_str(), nullptr, p.band.c_str()});
    answers[answer < 0 || answer > 2 ? 2 : answer] += 1;
  }
  const char* names[3] = {"repeat", "known_mult", "new_mult"};
  for (int i = 0; i < 3; ++i) {
    state.counters[names[i]] = benchmark::Counter(answers[i], benchmark::Counter::kAvgIterations);
  }
}
BENCHMARK(BM_CheckCall)
    ->ArgNames({"store", "mix"})
    ->Args({kLargeStore, kThirds})
    ->Args({kLargeStore, kLoggedCalls})
    ->Unit(benchmark::kNanosecond);

// RemoveData0 on a 100k store, of logged QSOs taken in log order from the
// start of the log (each is then the first stored record) or from its
// middle (each then sits halfway). The store is rebuilt, untimed, when a
// tenth of it is gone.
void BM_Remove(benchmark::State& state) {
  const std::vector<tools::AdifQso>& log = Log(state.range(0));
  std::vector<const tools::AdifQso*> victims;
  for (std::size_t i = log.size() * state.range(1) / 100; i < log.size(); ++i) {
    if (victims.size() == log.size() / 10) break;
    const tools::AdifQso& q = log[i];
    if ((q.mode == "CW" || q.mode == "SSB") && !q.exchRcvd.empty()) victims.push_back(&q);
  }
  Replay(state.range(0));
  const std::string ownCall = LogOptions(0).ownCall;
  std::size_t next = 0;
  for (auto _ : state) {
    if (next == victims.size()) {
      state.PauseTiming();
      Replay(state.range(0));
      next = 0;
      state.ResumeTiming();
    }
    benchmark::DoNotOptimize(Plugin().Remove(ownCall, *victims[next++]));
  }
  g_replayedCount = -1;
}
BENCHMARK(BM_Remove)
    ->ArgNames({"store", "from_percent"})
    ->Args({kLargeStore, 0})
    ->Args({kLargeStore, 50})
    ->Iterations(50000)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace bench

int main(int argc, char** argv) {
  bench::Plugin();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
