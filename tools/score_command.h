#pragma once

// `logreplay score LOG`: replays a contest log through the plug-in as the
// host does after a reset (one AddData0 per QSO in log order, then
// GetResult0) and reports the results.

#include <cstddef>
#include <cstdint>
#include <string>

#include "tools/plugin_host.h"
#include "tools/progress_line.h"
#include "tools/replay_plan.h"

namespace tools {

constexpr int kExitOk = 0;
constexpr int kExitBadInput = 2;  // unreadable or malformed log, bad usage
constexpr int kExitPlugin = 3;    // plug-in missing, not loadable or incomplete

struct ScoreCommand {
  std::string logPath;
  std::string pluginPath;  // empty: kPluginFileName beside the program
  ExportNames names = ExportNames::kPlain;
  ReplayOptions replay;
};

struct ReplayOutcome {
  size_t offered = 0;
  size_t accepted = 0;  // AddData0 gave 1: stored or already stored
  size_t refused = 0;   // AddData0 gave 0: listed in err.txt
  std::string results;  // GetResult0's text as returned
  int32_t score = 0;    // GetResult0's out-integer
};

// Resets the plug-in with the plan's values, offers every QSO in order and
// asks for the results.
ReplayOutcome Replay(const PluginHost& host, const ReplayPlan& plan, ProgressLine* progress);

// What `score` prints: the results text with LF line ends and a line end
// after its last line, then
//   300 QSOs offered: 292 accepted, 8 refused (listed in <errPath>)
// and, when the Cabrillo log was asked for, a line telling whether the
// plug-in reported it written (score -1) in `folder`.
std::string FormatReport(const ReplayOutcome& outcome, const std::string& errPath,
                         bool cabrillo, const std::string& folder);

// Runs the command in the current directory, where the plug-in writes
// err.txt, Plugins/TAVIN.ini and the Cabrillo log. Returns the exit status;
// the report goes to `out`, a failure's message (one line) to `err`.
// Nothing is offered to the plug-in unless the whole log is valid.
int RunScore(const ScoreCommand& command, std::string* out, std::string* err);

}  // namespace tools
