// logcheck on a whole generated contest, as the committee runs it: every
// Cabrillo log read, cross-checked and scored twice through the plug-in
// (all QSOs, credited QSOs), the committee's files written. The argument is
// the contest's QSO lines over 2,500 logs; the contest is written to a
// temporary folder before the timing and removed after.
//
// Each size runs once (a run takes seconds to minutes). peak_mib is the
// process's peak memory so far: run one size per process
// (--benchmark_filter) for the peak of that size. The plug-in is
// $STATS_PLUGIN or the one this build made.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <benchmark/benchmark.h>

#include "bench/bench_plugin.h"
#include "platform/tools/peak_memory.h"
#include "tools/adif/log_generator_contest.h"
#include "tools/logcheck/check_command.h"

namespace bench {
namespace {

namespace fs = std::filesystem;

constexpr size_t kEntrants = 2500;
constexpr size_t kSilentStations = 2500;

// Writes the contest of about `qsoLines` lines into a fresh folder; its
// path, and the lines written in `written`.
fs::path WriteContest(size_t qsoLines, size_t* written) {
  const fs::path folder =
      fs::temp_directory_path() /
      ("logcheck_bench_" + std::to_string(qsoLines) + "_" +
       std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  fs::create_directories(folder / "logs");
  tools::ContestOptions options;
  options.entrants = qsoLines < 100000 ? 100 : kEntrants;
  options.silentStations = qsoLines < 100000 ? 100 : kSilentStations;
  options.qsoLines = qsoLines;
  std::ofstream(folder / "groups.txt", std::ios::binary) << tools::ContestGroupMap();
  tools::GenerateContest(options, [&](const tools::GeneratedLog& log) {
    std::ofstream(folder / "logs" / log.fileName, std::ios::binary) << log.cabrillo;
    *written += log.lines.size();
  });
  return folder;
}

void BM_Logcheck(benchmark::State& state) {
  const size_t qsoLines = static_cast<size_t>(state.range(0));
  size_t written = 0;
  const fs::path folder = WriteContest(qsoLines, &written);
  tools::CheckCommand command;
  command.inputs = {(folder / "logs").u8string()};
  command.outPath = (folder / "out").u8string();
  command.groupMapPath = (folder / "groups.txt").u8string();
  command.pluginPath = PluginPath();
  std::string out;
  std::string err;
  int status = 0;
  for (auto _ : state) {
    status = tools::RunCheck(command, &out, &err);
    benchmark::DoNotOptimize(out.data());
  }
  if (status != 0) state.SkipWithError(("logcheck failed: " + err).c_str());
  state.counters["qso_lines"] = static_cast<double>(written);
  state.counters["peak_mib"] = static_cast<double>(platform::PeakMemoryKib()) / 1024.0;
  std::error_code error;
  fs::remove_all(folder, error);
}

// Sizes: a smoke run, the committee's target and twice that.
BENCHMARK(BM_Logcheck)
    ->Arg(20000)
    ->Arg(3000000)
    ->Arg(6000000)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

}  // namespace
}  // namespace bench

BENCHMARK_MAIN();
