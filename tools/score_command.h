#pragma once

// `logreplay score LOG`: replays a contest log through the plug-in as the
// host does after a reset (one AddData0 per QSO in log order, then
// GetResult0) and reports the results.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

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
  // Not empty: replay with the Cabrillo flag and write the report page
  // (report_page.h) to this path, from the results, the Cabrillo log and
  // err.txt the plug-in wrote.
  std::string reportPath;
};

struct ReplayOutcome {
  size_t offered = 0;
  size_t accepted = 0;  // AddData0 gave 1: stored or already stored
  size_t refused = 0;   // AddData0 gave 0: listed in err.txt
  std::vector<bool> acceptedEach;  // AddData0's answer for each QSO, in plan order
  std::string results;  // GetResult0's text as returned
  int32_t score = 0;    // GetResult0's out-integer
  // The notices the plug-in showed during GetResult0, "caption: text".
  std::vector<std::string> notices;
};

// Resets the plug-in with the plan's values, offers every QSO in order and
// asks for the results, collecting the notices shown meanwhile.
ReplayOutcome Replay(const PluginHost& host, const ReplayPlan& plan, ProgressLine* progress);

// The settings block printed before the results: a title line, then one
// line per setting, "  own call:  UT9ZZQ (log field OPERATOR, record 1)".
std::string FormatSettings(const std::vector<PlanSetting>& settings);

// What `score` prints after the settings: the results text with LF line
// ends and a line end after its last line, then
//   300 QSOs offered: 292 accepted, 8 refused (listed in <errPath>)
// a line counting the warnings when there are any, and, when the Cabrillo
// log was asked for, a line repeating the plug-in's notice about the file
// ("File produced: UT9ZZQ.cbr", with `folder`), or saying that it gave
// none.
std::string FormatReport(const ReplayOutcome& outcome, const std::string& errPath,
                         size_t warnings, bool cabrillo, const std::string& folder);

// "logreplay: <message>" and a line end, as one line whatever `message`
// holds: control bytes and bytes above 126 are written as \xNN, and a very
// long message is cut.
std::string ErrorLine(const std::string& message);

// Runs the command in the current directory, where the plug-in writes
// err.txt, Plugins/TAVIN.ini and the Cabrillo log. A report that cannot be
// written fails with kExitBadInput, a Cabrillo log the plug-in did not
// produce with kExitPlugin; either prints nothing to `out`. Returns the exit status;
// the report goes to `out`, a failure's message (one line) to `err`. The
// warnings of a replay go straight to standard error, one line each, before
// the first QSO is offered. Nothing is offered to the plug-in unless the
// whole log is valid or its bad records are to be skipped.
int RunScore(const ScoreCommand& command, std::string* out, std::string* err);

}  // namespace tools
