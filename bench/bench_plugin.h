#pragma once

#include <memory>
#include <string>

#include "bench/contest_log.h"
#include "tools/plugin_host.h"

namespace bench {

// The plug-in to measure, loaded as the host loads it: the path in the
// environment variable STATS_PLUGIN when it is set, else the one this build
// made. Ignored argument positions get null pointers and zeros. On failure
// the program ends with status 2 and a line that says why.
std::unique_ptr<tools::PluginHost> LoadPlugin();

// What ResetStats0 gets for the contest of `log`, Cabrillo output off.
tools::ResetArgs ResetArgsOf(const ContestLogOptions& log, const std::string& ownGroupCode);

}  // namespace bench
