// Peak memory of a replay: streams a generated log of the given size into
// the plug-in through AddData0 (the log itself is never held), asks for the
// results once, and divides the process's peak resident set by the number
// of stored QSOs.
//
// Usage: memory_probe [QSO-COUNT]   (default 1000000; plug-in as for
// stats_bench: $STATS_PLUGIN or the one this build made)

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "bench/bench_plugin.h"

namespace {

// VmHWM of /proc/self/status: the peak resident set so far, in KiB.
long PeakResidentKib() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

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
  const long before = PeakResidentKib();
  plugin->Reset(bench::ResetArgsOf(options, "G3"));
  tools::ContestLog log(options);
  tools::AdifQso qso;
  while (log.Next(&qso)) plugin->Add(options.ownCall, qso);
  int32_t score = 0;
  const long stored = StoredCount(plugin->Exports().GetResult0(&score));
  const long peak = PeakResidentKib();

  std::printf("QSOs offered:            %zu\n", options.qsoCount);
  std::printf("QSOs stored:             %ld\n", stored);
  std::printf("peak resident set:       %ld KiB (%ld KiB before the replay)\n", peak, before);
  if (stored > 0) {
    std::printf("bytes per stored QSO:    %.0f\n", peak * 1024.0 / static_cast<double>(stored));
  }
  return 0;
}
