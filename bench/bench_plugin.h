#pragma once

#include <memory>
#include <string>

#include "tools/adif/log_generator.h"
#include "tools/host/plugin_host.h"

namespace bench {

// The plug-in to measure, loaded as the host loads it: the path in the
// environment variable STATS_PLUGIN when it is set, else the one this build
// made. Ignored argument positions get null pointers and zeros. On failure
// the program ends with status 2 and a line that says why.
std::unique_ptr<tools::PluginHost> LoadPlugin();

// The path LoadPlugin loads.
std::string PluginPath();

// The log the benchmarks replay: `qsoCount` QSOs from a pool of 5000
// stations with 40 multiplier codes.
tools::ContestLogOptions LargeLogOptions(std::size_t qsoCount);

// What ResetStats0 gets for the contest of `log`, Cabrillo output off.
tools::ResetArgs ResetArgsOf(const tools::ContestLogOptions& log, const std::string& ownGroupCode);

}  // namespace bench
