#include "tools/logcheck/check_command.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <functional>
#include <memory>

#include "platform/tools/background_task.h"
#include "platform/tools/is_terminal.h"
#include "platform/tools/operator_away.h"
#include "platform/tools/utf8_files.h"
#include "tools/host/plugin_host.h"
#include "tools/logcheck/check_outputs.h"
#include "tools/logcheck/contest_input.h"
#include "tools/logcheck/out_folder.h"
#include "tools/replay/group_map.h"
#include "tools/replay/progress_line.h"
#include "tools/replay/replay_run.h"
#include "tools/replay/working_folder.h"
#include "tools/plugin_outputs/plugin_outputs.h"
#include "tools/report/report_data.h"

namespace tools {

namespace {

namespace fs = std::filesystem;

std::string LogcheckError(const std::string& message) { return ToolErrorLine("logcheck", message); }

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
struct PluginPass {
  long long score = 0;
  std::vector<int32_t> points;
  std::vector<bool> multipliers;
};

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

int Check(const CheckCommand& command, std::string* out, std::string* err) {
  std::string problem;
  InputOptions options;
  options.start = command.start;
  options.classBy = command.classBy;
  if (command.groupMapPath) {
    options.groupMap.emplace();
    if (!ReadGroupMap(*command.groupMapPath, &*options.groupMap, &problem)) {
      *err = LogcheckError("--group-map " + *command.groupMapPath + ": " + problem);
      return kExitBadInput;
    }
  }
  std::error_code error;
  const fs::path root = fs::absolute(fs::u8path(command.outPath), error);
  std::vector<std::string> listed;
  if (command.outPath.empty() || error || !OwnedFolder(root, &listed, &problem)) {
    *err = LogcheckError("--out " + command.outPath + ": " +
                         (problem.empty() ? std::string("not a usable folder") : problem));
    return kExitBadInput;
  }
  ContestInput input;
  if (!ReadContest(command.inputs, options, &input, &problem)) {
    *err = LogcheckError(problem);
    return kExitBadInput;
  }
  const ProgressLine::Write toStandardError = WriteToStandardError();
  for (const std::string& warning : input.warnings) {
    toStandardError(LogcheckError("warning: " + warning));
  }
  for (const SkippedLog& skipped : input.skipped) {
    if (skipped.reason.find("a later log") == std::string::npos) {
      toStandardError(LogcheckError("warning: " + skipped.path + ": " + skipped.reason));
    }
  }

  std::unique_ptr<PluginHost> host = LoadScoringPlugin(command.pluginPath, command.names, &problem);
  if (host == nullptr) {
    *err = LogcheckError(problem);
    return kExitPlugin;
  }

  ContestCheck check;
  check.input = &input;
  check.options = command.match;
  check.penalty = command.penalty;
  check.options.startMinute = std::llround(input.start.value * 1440.0);
  check.logs = TakeCheckLogs(&input);

  for (const std::string& name : listed) fs::remove(root / fs::u8path(name), error);
  fs::create_directories(root / kOutReportsFolder, error);
  fs::create_directories(root / kOutPluginFolder / "Plugins", error);
  OutFolder folder(root);
  bool written = true;
  if (error || !folder.WriteMarker()) {
    *err = LogcheckError("--out " + command.outPath + ": cannot write in it");
    return kExitOutput;
  }

  {
    const CurrentFolderChange inPluginFolder((root / kOutPluginFolder).u8string());
    if (!inPluginFolder.Changed()) {
      *err = LogcheckError("--out " + command.outPath + ": cannot work in it");
      return kExitOutput;
    }
    // The line counts the QSO lines scored so far, each line twice: with
    // all of its log's QSOs, then with the credited ones.
    ProgressLine progress(platform::StandardErrorIsTerminal(), SteadySeconds(), toStandardError);
    size_t total = 0;
    for (const CheckLog& log : check.logs) total += 2 * log.qsos.size();

    // The plug-in scores all QSOs of each entrant on a thread of its own
    // while the logs are matched here: neither needs the other's results,
    // and the two take about as long. The plug-in is still called by one
    // thread at a time: that one, then this one once it has ended. Only
    // that thread writes to standard error meanwhile.
    std::vector<PluginPass> all(input.logs.size());
    std::exception_ptr failed;
    platform::BackgroundTask scorer([&] {
      try {
        size_t done = 0;
        for (size_t i = 0; i < input.logs.size(); ++i) {
          progress.Update(done, total);
          done += check.logs[i].qsos.size();
          if (check.logs[i].checklog) continue;
          all[i] = ScoreWithLines(*host, ResetPlan(input.logs[i], input.start),
                                  LogQsos(input.logs[i], input.texts));
        }
      } catch (...) {
        failed = std::current_exception();
      }
    });
    check.verdicts = CheckAllLogs(check.logs, input.texts, check.options);
    check.miscopies = FindMiscopies(check);
    // Written while the plug-in is still busy: it needs only the verdicts.
    written = folder.WriteParts("verdicts.csv", VerdictsCsvHeader(), check.logs.size(),
                                [&](size_t i) { return VerdictsCsvRows(check, i); });
    scorer.Wait();
    if (failed) std::rethrow_exception(failed);
    // A log whose clock was corrected has its QSOs' points and multipliers
    // (the penalty, the multipliers lost) from a pass at the corrected
    // times, which the checked score follows too; its score of all QSOs
    // stays the one of the log as written.
    for (size_t i = 0; i < input.logs.size(); ++i) {
      const long long offset = check.verdicts[i].clockOffset;
      if (offset == 0 || check.logs[i].checklog) continue;
      PluginPass corrected = ScoreWithLines(*host, ResetPlan(input.logs[i], input.start),
                                            LogQsos(input.logs[i], input.texts, offset));
      all[i].points = std::move(corrected.points);
      all[i].multipliers = std::move(corrected.multipliers);
    }
    for (size_t i = 0; i < input.logs.size(); ++i) {
      if (!check.logs[i].checklog && all[i].points.empty() && !check.logs[i].qsos.empty()) {
        toStandardError(LogcheckError("warning: " + input.logs[i].path +
                                      ": the plug-in's Cabrillo log of it could not be read;"
                                      " its points and multipliers lost are not known"
                                      " (no penalty taken)"));
      }
    }

    const size_t logs = input.logs.size();
    check.pluginScores.resize(logs);
    check.checkedScores.resize(logs);
    check.pluginPoints.resize(logs);
    check.pluginMultipliers.resize(logs);
    check.penalties.assign(logs, 0);
    size_t done = total / 2;
    for (size_t i = 0; i < logs; ++i) {
      progress.Update(done, total);
      done += check.logs[i].qsos.size();
      if (check.logs[i].checklog) continue;
      check.pluginScores[i] = all[i].score;
      for (size_t j = 0; j < all[i].points.size(); ++j) {
        if (IsPenalised(check.verdicts[i].qsos[j].verdict)) {
          check.penalties[i] += static_cast<long long>(command.penalty) * all[i].points[j];
        }
      }
      check.pluginPoints[i] = std::move(all[i].points);
      check.pluginMultipliers[i] = std::move(all[i].multipliers);
      // The stored QSOs are in the order of the verdicts (both in time order).
      std::vector<uint32_t> credited;
      for (uint32_t j = 0; j < check.verdicts[i].qsos.size(); ++j) {
        if (IsCredited(check.verdicts[i].qsos[j].verdict)) credited.push_back(j);
      }
      check.checkedScores[i] = ScoreOf(*host, ResetPlan(input.logs[i], input.start),
                                       LogQsos(input.logs[i], input.texts, std::move(credited),
                                               check.verdicts[i].clockOffset)) -
                               check.penalties[i];
    }
    progress.Finish();
  }

  written = written && folder.Write("logs.csv", LogsCsv(check)) &&
            folder.Write("results.csv", ResultsCsv(check)) &&
            folder.Write("results.html", ResultsHtml(check));
  // The reports, every other one on a thread of its own: thousands of
  // small files, each made and written.
  const auto reportName = [&](size_t i, const char* extension) {
    return std::string(kOutReportsFolder) + "/" + ReportFileName(check.logs[i].call, extension);
  };
  for (size_t i = 0; i < check.logs.size(); ++i) {
    folder.List(reportName(i, ".txt"));
    folder.List(reportName(i, ".html"));
  }
  bool reportsWritten[2] = {written, written};
  platform::RunInTwo([&](size_t from) {
    for (size_t i = from; reportsWritten[from] && i < check.logs.size(); i += 2) {
      const std::string report = EntrantReport(check, i);
      reportsWritten[from] =
          folder.WriteListed(reportName(i, ".txt"), report) &&
          folder.WriteListed(reportName(i, ".html"), EntrantReportHtml(check, i, report));
    }
  });
  written = folder.WriteMarker() && reportsWritten[0] && reportsWritten[1];
  *out = "Contest start: " + FormatStart(input.start) + " UTC (" + input.startSource + ")\n" +
         CheckSummary(check) + "Written to " + root.u8string() + "\n";
  if (!written) {
    *err = LogcheckError("--out " + command.outPath + ": an output could not be written in full");
    return kExitOutput;
  }
  return kExitOk;
}

}  // namespace

int RunCheck(const CheckCommand& command, std::string* out, std::string* err) {
  // A failure on either thread (memory, a broken invariant) ends here, both
  // threads ended and the current folder back.
  try {
    return Check(command, out, err);
  } catch (const std::exception& e) {
    *err = LogcheckError(e.what());
  } catch (...) {
    *err = LogcheckError("an unknown failure");
  }
  out->clear();
  return kExitOutput;
}

}  // namespace tools
