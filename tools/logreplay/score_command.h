#pragma once

// `logreplay score LOG`: replays a contest log through the plug-in as the
// host does after a reset (one AddData0 per QSO in the replay plan's
// order, then GetResult0) and reports the results.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tools/logreplay/output_paths.h"
#include "tools/replay/replay_plan.h"
#include "tools/replay/replay_run.h"

namespace tools {

struct ScoreCommand {
  std::string logPath;
  std::string pluginPath;  // empty: kPluginFileName beside the program
  ExportNames names = ExportNames::kPlain;
  ReplayOptions replay;
  // Set: the group map file (group_map.h), read into replay.groupMap
  // before the log is planned.
  std::optional<std::string> groupMapPath;
  // Set: replay with the Cabrillo flag and write the report page
  // (report_page.h) to this path, from the results, the Cabrillo log and
  // err.txt the plug-in wrote. The path is checked before the replay.
  std::optional<std::string> reportPath;
  // The working folder (working_folder.h); unset: DefaultWorkingFolder.
  std::optional<std::string> workPath;
  // Replace a file at the report path that is no page logreplay wrote.
  bool force = false;
};

// The settings block printed before the results: a title line, then one
// line per setting, "  own call:  UT9ZZQ (log field OPERATOR, record 1)".
std::string FormatSettings(const std::vector<PlanSetting>& settings);

// What the replay made of the Cabrillo log, from the plug-in's notice and
// from the folder: the notice may be missing (no display to show it on).
struct CabrilloOutcome {
  std::string name;       // the file's name, as the notice gives it or as expected
  bool produced = false;  // written by this replay, and there
  std::string line;       // "Cabrillo log: ..." without a line end
};

// Judges the Cabrillo pass: a notice "File produced: NAME" whose file is
// there, or, without a notice, `expectedName` written since `before`.
CabrilloOutcome JudgeCabrillo(const ReplayOutcome& outcome, const std::string& expectedName,
                              const FileState& before, const std::string& folder);

// What `score` prints after the settings: the results text with LF line
// ends and a line end after its last line, then
//   300 QSOs offered: 292 accepted, 8 refused (listed in <errPath>)
// ("(err.txt not written)" for an empty `errPath`),
// a line counting the warnings when there are any, and `cabrilloLine`
// when it is not empty.
std::string FormatReport(const ReplayOutcome& outcome, const std::string& errPath, size_t warnings,
                         const std::string& cabrilloLine);

// "logreplay: <message>" and a line end, as one line whatever `message`
// holds (ToolErrorLine).
std::string ErrorLine(const std::string& message);

// Runs the command: the plug-in writes err.txt, Plugins/TAVIN.ini and the
// Cabrillo log in the working folder (working_folder.h), which is made
// when missing; paths on the command line are read from the current
// folder. Returns the exit status; the report goes to `out`, a failure's
// message (one line) to `err`. These fail with kExitBadInput before
// anything is offered or written: a bad log or group map; a working folder
// that is a file or holds, at a name the plug-in writes, a file logreplay
// did not write; an input (the log, the group map) at a name the plug-in
// writes; a report path that could replace a file of the user's (an input,
// the plug-in's files, a device, a folder: see OutputPathProblem, or an
// existing file that is no report page of logreplay's, unless `force`).
// A plug-in that cannot be used fails with kExitPlugin; both print nothing
// to `out`. An output not written in full (err.txt, the Cabrillo log asked
// for, the report) fails with kExitOutput after the results are in `out`.
// The warnings of a replay go straight to standard error, one line each,
// before the first QSO is offered; a claimed score that differs from the
// plug-in's (a Cabrillo log's CLAIMED-SCORE:) after the results request.
// Nothing is offered to the plug-in unless the whole log is valid or its
// bad records are to be skipped.
int RunScore(const ScoreCommand& command, std::string* out, std::string* err);

}  // namespace tools
