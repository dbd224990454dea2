#pragma once

// A replay through the plug-in's exports, as logreplay and logcheck run it:
// the plug-in loaded, reset with a plan's values, offered QSOs in order and
// asked for its results; the exit statuses and the error line both tools
// end with.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tools/host/plugin_host.h"
#include "tools/replay/progress_line.h"
#include "tools/replay/replay_plan.h"

namespace tools {

constexpr int kExitOk = 0;
constexpr int kExitBadInput = 2;  // unreadable or malformed log, bad usage
constexpr int kExitPlugin = 3;    // plug-in missing, not loadable or incomplete
// An output not written in full: the report page, the Cabrillo log or
// err.txt. The results are printed all the same.
constexpr int kExitOutput = 4;

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

// The text of the plug-in's last notice about the Cabrillo log, without
// its caption ("Output: "); empty when it gave none.
std::string CabrilloNotice(const ReplayOutcome& outcome);

// The file the plug-in's notice says it produced ("File produced: NAME"),
// as named there; empty when the replay showed no such notice.
std::string ProducedFileName(const ReplayOutcome& outcome);

// The name the plug-in gives the Cabrillo log of `ownCall`, by its own rule
// ("UT9ZZQ/P" gives "UT9ZZQ_P.cbr", an empty call "TAVIN.cbr").
std::string CabrilloFileName(const std::string& ownCall);

// `text` on one line of at most about 400 bytes: control bytes and bytes
// that are not printable UTF-8 written as \xNN (a name in Cyrillic stays as
// it is), the rest cut off with "...".
std::string PrintableLine(const std::string& text);

// "<program>: <message>" and a line end, as one line whatever `message`
// holds (PrintableLine).
std::string ToolErrorLine(const std::string& program, const std::string& message);

}  // namespace tools
