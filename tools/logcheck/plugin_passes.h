#pragma once

// The plug-in's passes over each entrant's QSOs, through its exports: all
// of them as logged, with its Cabrillo log asked for (the score of all
// QSOs, and each QSO's points and whether it brought a multiplier, read
// back from the log's lines); again at the corrected times for a log whose
// clock was off; the credited ones at the corrected times for the checked
// score, less the penalty.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tools/host/plugin_host.h"
#include "tools/logcheck/check_outputs.h"
#include "tools/logcheck/contest_input.h"
#include "tools/replay/progress_line.h"

namespace tools {

// The plug-in's scoring of all of an entrant's QSOs: the score, and by QSO
// (in the order of its stored QSOs) the points the plug-in's Cabrillo log
// gave it and whether it brought a multiplier; both empty when the log
// cannot be read. The log is read and removed; its header dialog and
// notice are answered unattended (a header cancelled keeps the settings
// file's values, which the points do not depend on).
struct PluginPass {
  long long score = 0;
  std::vector<int32_t> points;
  std::vector<bool> multipliers;
};

// The pass over all QSOs of `input.logs[index]`, their times less
// `clockOffset` minutes. Runs in the current folder, where the plug-in
// writes.
PluginPass ScoreAllQsos(const PluginHost& host, const ContestInput& input, size_t index,
                        long long clockOffset);

// Fills `check`'s scores, points, multipliers and penalties from `all`,
// the passes over all QSOs by log (checklogs left empty), once its
// verdicts are known: a log whose clock was corrected has its points and
// multipliers from a pass at the corrected times; each busted call and nil
// (IsPenalised) costs `penalty` times its points; the checked score is the
// plug-in's of the credited QSOs at the corrected times less that.
// `progress` counts from half of `total` QSO lines on; `warn` is given a
// line for each log whose points are not known.
void ScoreCredited(const PluginHost& host, const ContestInput& input, std::vector<PluginPass> all,
                   int penalty, ContestCheck* check, ProgressLine* progress, size_t total,
                   const std::function<void(const std::string&)>& warn);

}  // namespace tools
