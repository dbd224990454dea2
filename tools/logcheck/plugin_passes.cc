#include "tools/logcheck/plugin_passes.h"

#include <algorithm>
#include <filesystem>
#include <functional>

#include "platform/tools/operator_away.h"
#include "platform/tools/utf8_files.h"
#include "tools/plugin_outputs/plugin_outputs.h"
#include "tools/replay/replay_run.h"
#include "tools/report/report_data.h"

namespace tools {
namespace {

namespace fs = std::filesystem;

// The QSOs of an entrant's log, or those `picked` of them, as the plan
// offers them, made one at a time into one scratch QSO from the pool: the
// plug-in is handed millions of QSOs, which need not all exist at once.
// With a clock offset, at the times corrected by it.
class LogQsos {
 public:
  LogQsos(const EntrantLog& log, const TextPool& texts, long long clockOffset = 0)
      : m_log(log), m_texts(texts), m_offsetDays(static_cast<double>(clockOffset) / 1440.0) {}
  LogQsos(const EntrantLog& log, const TextPool& texts, std::vector<uint32_t> picked,
          long long clockOffset)
      : LogQsos(log, texts, clockOffset) {
    m_picked = std::move(picked);
    m_all = false;
  }

  size_t size() const { return m_all ? m_log.stored.size() : m_picked.size(); }
  const AdifQso& operator()(size_t i) {
    RestoreQso(m_log.stored[m_all ? i : m_picked[i]], m_texts, &m_scratch);
    m_scratch.time -= m_offsetDays;
    return m_scratch;
  }

 private:
  const EntrantLog& m_log;
  const TextPool& m_texts;
  double m_offsetDays = 0.0;
  std::vector<uint32_t> m_picked;
  bool m_all = true;
  AdifQso m_scratch;
};

// The plug-in's score of `qsos` after a reset with `plan`'s values.
long long ScoreOf(const PluginHost& host, const ReplayPlan& plan, LogQsos qsos) {
  ProgressLine silent(false, SteadySeconds(), nullptr);
  const ReplayOutcome outcome = ReplayEach(host, plan, qsos.size(), std::ref(qsos), &silent);
  return PluginScore(outcome.results, outcome.score);
}

// The plug-in's scoring of all `qsos`, with its Cabrillo log asked for:
// the score, and from the log's lines each QSO's points and whether it
// brought a multiplier (both empty when the log cannot be read). The log is
// read and removed; its header dialog and notice are answered unattended,
// a header cancelled keeps the settings file's values, which the points do
// not depend on.

PluginPass ScoreWithLines(const PluginHost& host, ReplayPlan plan, LogQsos qsos) {
  plan.cabrillo = true;
  ReplayOutcome outcome;
  {
    const platform::OperatorAway away;
    ProgressLine silent(false, SteadySeconds(), nullptr);
    outcome = ReplayEach(host, plan, qsos.size(), std::ref(qsos), &silent);
  }
  PluginPass pass;
  pass.score = PluginScore(outcome.results, outcome.score);
  std::string name = ProducedFileName(outcome);
  if (name.empty()) name = CabrilloFileName(plan.ownCall);
  std::string text;
  std::string problem;
  if (ReadLogFile(name, &text, &problem)) {
    const std::vector<CabrilloQso> lines = ParseCabrilloQsos(text);
    const std::vector<size_t> lineOf =
        LineOfEachQso(qsos.size(), std::ref(qsos), outcome.acceptedEach, lines);
    pass.points.assign(qsos.size(), 0);
    pass.multipliers.assign(qsos.size(), false);
    for (size_t j = 0; j < lineOf.size(); ++j) {
      if (lineOf[j] == kNoLine) continue;
      pass.points[j] = std::max(0, lines[lineOf[j]].points);
      pass.multipliers[j] = lines[lineOf[j]].multiplier;
    }
  }
  std::error_code error;
  if (fs::is_regular_file(fs::u8path(name), error)) fs::remove(fs::u8path(name), error);
  return pass;
}

}  // namespace

PluginPass ScoreAllQsos(const PluginHost& host, const ContestInput& input, size_t index,
                        long long clockOffset) {
  return ScoreWithLines(host, ResetPlan(input.logs[index], input.start),
                        LogQsos(input.logs[index], input.texts, clockOffset));
}

void ScoreCredited(const PluginHost& host, const ContestInput& input, std::vector<PluginPass> all,
                   int penalty, ContestCheck* check, ProgressLine* progress, size_t total,
                   const std::function<void(const std::string&)>& warn) {
  // A log whose clock was corrected has its QSOs' points and multipliers
  // (the penalty, the multipliers lost) from a pass at the corrected
  // times, which the checked score follows too; its score of all QSOs
  // stays the one of the log as written.
  for (size_t i = 0; i < input.logs.size(); ++i) {
    const long long offset = check->verdicts[i].clockOffset;
    if (offset == 0 || check->logs[i].checklog) continue;
    PluginPass corrected = ScoreAllQsos(host, input, i, offset);
    all[i].points = std::move(corrected.points);
    all[i].multipliers = std::move(corrected.multipliers);
  }
  for (size_t i = 0; i < input.logs.size(); ++i) {
    if (!check->logs[i].checklog && all[i].points.empty() && !check->logs[i].qsos.empty()) {
      warn(input.logs[i].path +
           ": the plug-in's Cabrillo log of it could not be read;"
           " its points and multipliers lost are not known (no penalty taken)");
    }
  }

  const size_t logs = input.logs.size();
  check->entrants.resize(logs);
  size_t done = total / 2;
  for (size_t i = 0; i < logs; ++i) {
    progress->Update(done, total);
    done += check->logs[i].qsos.size();
    if (check->logs[i].checklog) continue;
    check->entrants[i].plugin = all[i].score;
    for (size_t j = 0; j < all[i].points.size(); ++j) {
      if (IsPenalised(check->verdicts[i].qsos[j].verdict)) {
        check->entrants[i].penalty += static_cast<long long>(penalty) * all[i].points[j];
      }
    }
    check->entrants[i].points = std::move(all[i].points);
    check->entrants[i].multipliers = std::move(all[i].multipliers);
    // The stored QSOs are in the order of the verdicts (both in time order).
    std::vector<uint32_t> credited;
    for (uint32_t j = 0; j < check->verdicts[i].qsos.size(); ++j) {
      if (IsCredited(check->verdicts[i].qsos[j].verdict)) credited.push_back(j);
    }
    check->entrants[i].checked = ScoreOf(host, ResetPlan(input.logs[i], input.start),
                                         LogQsos(input.logs[i], input.texts, std::move(credited),
                                                 check->verdicts[i].clockOffset)) -
                                 check->entrants[i].penalty;
  }
}

}  // namespace tools
