// Peak memory of a replay: streams a generated log of the given size into
// the plug-in through AddData0 (the log itself is never held), asks for the
// results once, and divides the process's peak resident set by the number
// of stored QSOs (the peak working set on Windows).
//
// Usage: memory_probe [QSO-COUNT]   (default 1000000; plug-in as for
// stats_bench: $STATS_PLUGIN or the one this build made)

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench/bench_plugin.h"
#include "platform/tools/peak_memory.h"

namespace {

// The QSO count of the results text's total line: "Total\t N\t ...".
long StoredCount(const char* results) {
  const char* total = std::strstr(results, "Total\t");
  return total != nullptr ? std::strtol(total + 6, nullptr, 10) : -1;
}

}  // namespace

int main(int argc, char** argv) {
  const tools::ContestLogOptions options =
      bench::LargeLogOptions(argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000000);
  const std::unique_ptr<tools::PluginHost> plugin = bench::LoadPlugin();
  const long before = platform::PeakMemoryKib();
  plugin->Reset(bench::ResetArgsOf(options, "G3"));
  tools::ContestLog log(options);
  tools::AdifQso qso;
  while (log.Next(&qso)) plugin->Add(options.ownCall, qso);
  int32_t score = 0;
  const long stored = StoredCount(plugin->Exports().GetResult0(&score));
  const long peak = platform::PeakMemoryKib();

  std::printf("QSOs offered:            %zu\n", options.qsoCount);
  std::printf("QSOs stored:             %ld\n", stored);
  std::printf("peak memory:             %ld KiB (%ld KiB before the replay)\n", peak, before);
  if (stored > 0) {
    std::printf("bytes per stored QSO:    %.0f\n", peak * 1024.0 / static_cast<double>(stored));
  }
  return 0;
}
