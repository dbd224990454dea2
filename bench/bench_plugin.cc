#include "bench/bench_plugin.h"

#include <cstdio>
#include <cstdlib>

namespace bench {

std::string PluginPath() {
  const char* chosen = std::getenv("STATS_PLUGIN");
  return chosen != nullptr && *chosen != '\0' ? chosen : STATS_BUILT_PLUGIN;
}

std::unique_ptr<tools::PluginHost> LoadPlugin() {
  const std::string path = PluginPath();
  std::string error;
  std::unique_ptr<tools::PluginHost> host =
      tools::PluginHost::Load(path, tools::ExportNames::kPlain, &error);
  if (host == nullptr) {
    std::fprintf(stderr, "%s\n", error.c_str());
    std::exit(2);
  }
  return host;
}

tools::ContestLogOptions LargeLogOptions(std::size_t qsoCount) {
  tools::ContestLogOptions options;
  options.qsoCount = qsoCount;
  options.stationCount = 5000;
  options.multCodeCount = 40;
  return options;
}

tools::ResetArgs ResetArgsOf(const tools::ContestLogOptions& log, const std::string& ownGroupCode) {
  tools::ResetArgs reset;
  reset.ownCall = log.ownCall;
  reset.start = StatsDateTime{log.start, 0};
  reset.ownMultCode = log.ownMultCode;
  reset.ownGroupCode = ownGroupCode;
  return reset;
}

}  // namespace bench
