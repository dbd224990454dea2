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

#include "tools/host/plugin_host.h"
#include "tools/logreplay/output_paths.h"
#include "tools/logreplay/progress_line.h"
#include "tools/logreplay/replay_plan.h"

namespace tools {

constexpr int kExitOk = 0;
constexpr int kExitBadInput = 2;  // unreadable or malformed log, bad usage
constexpr int kExitPlugin = 3;    // plug-in missing, not loadable or incomplete
// An output not written in full: the report page, the Cabrillo log or
// err.txt. The results are printed all the same.
constexpr int kExitOutput = 4;

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

struct ReplayOutcome {
  size_t offered = 0;
  size_t accepted = 0;             // AddData0 gave 1: stored or already stored
  size_t refused = 0;              // AddData0 gave 0: listed in err.txt
  std::vector<bool> acceptedEach;  // AddData0's answer for each QSO, in plan order
  std::string results;             // GetResult0's text as returned
  int32_t score = 0;               // GetResult0's out-integer
  // The notices the plug-in showed during GetResult0, "caption: text".
  std::vector<std::string> notices;
};

// The plug-in to score with: the library at `path`, or kPluginFileName
// beside this program when `path` is empty, its exports resolved by
// `names`. Null, with `problem` in one line, when it cannot be loaded or
// offers no statistics set.
std::unique_ptr<PluginHost> LoadScoringPlugin(const std::string& path, ExportNames names,
                                              std::string* problem);

// Resets the plug-in with the plan's values, offers every QSO in order and
// asks for the results, collecting the notices shown meanwhile.
// `afterReset`, when given, runs between the reset and the first QSO.
ReplayOutcome Replay(const PluginHost& host, const ReplayPlan& plan, ProgressLine* progress,
                     const std::function<void()>& afterReset = nullptr);
// The same with the QSOs given one at a time, `qsoAt(i)` for i from 0 to
// `count` - 1 (the plan's own QSOs are not read): a caller that keeps its
// QSOs in another form need not make them all at once. The reference
// returned must stay valid until the next call of `qsoAt`.
using QsoAt = std::function<const AdifQso&(size_t)>;
ReplayOutcome ReplayEach(const PluginHost& host, const ReplayPlan& plan, size_t count,
                         const QsoAt& qsoAt, ProgressLine* progress,
                         const std::function<void()>& afterReset = nullptr);

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

// The file the plug-in's notice says it produced ("File produced: NAME"),
// as named there; empty when the replay showed no such notice.
std::string ProducedFileName(const ReplayOutcome& outcome);

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
// holds: control bytes and bytes that are not printable UTF-8 are written
// as \xNN (a name in Cyrillic stays as it is), and a very long message is
// cut.
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
