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
#include "platform/tools/utf8_files.h"
#include "tools/host/plugin_host.h"
#include "tools/logcheck/check_outputs.h"
#include "tools/logcheck/contest_input.h"
#include "tools/logcheck/out_folder.h"
#include "tools/logcheck/plugin_passes.h"
#include "tools/replay/group_map.h"
#include "tools/replay/progress_line.h"
#include "tools/replay/replay_run.h"
#include "tools/replay/working_folder.h"

namespace tools {

namespace {

namespace fs = std::filesystem;

std::string LogcheckError(const std::string& message) { return ToolErrorLine("logcheck", message); }

// A warning, one line on standard error.
void Warn(const std::string& warning) {
  WriteToStandardError()(LogcheckError("warning: " + warning));
}

// The contest's logs read, and the --out folder checked (the names its
// marker lists in `listed`); the warnings of reading printed. An exit
// status with `err` filled, or -1.
int ReadInput(const CheckCommand& command, const fs::path& root, ContestInput* input,
              std::vector<std::string>* listed, std::string* err) {
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
  if (command.outPath.empty() || root.empty() || !OwnedFolder(root, listed, &problem)) {
    *err = LogcheckError("--out " + command.outPath + ": " +
                         (problem.empty() ? std::string("not a usable folder") : problem));
    return kExitBadInput;
  }
  if (!ReadContest(command.inputs, options, input, &problem)) {
    *err = LogcheckError(problem);
    return kExitBadInput;
  }
  for (const std::string& warning : input->warnings) Warn(warning);
  for (const SkippedLog& skipped : input->skipped) {
    if (!skipped.replaced) Warn(skipped.path + ": " + skipped.reason);
  }
  return -1;
}

// Matches the logs and scores each entrant through the plug-in, which
// works in the folder's plugin/ folder; verdicts.csv is written meanwhile.
// False when that file could not be written in full.
bool MatchAndScore(const PluginHost& host, const CheckCommand& command, const ContestInput& input,
                   ContestCheck* check, OutFolder* folder) {
  // The line counts the QSO lines scored so far, each line twice: with
  // all of its log's QSOs, then with the credited ones.
  ProgressLine progress(platform::StandardErrorIsTerminal(), SteadySeconds(),
                        WriteToStandardError());
  size_t total = 0;
  for (const CheckLog& log : check->logs) total += 2 * log.qsos.size();

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
        done += check->logs[i].qsos.size();
        if (!check->logs[i].checklog) all[i] = ScoreAllQsos(host, input, i, 0);
      }
    } catch (...) {
      failed = std::current_exception();
    }
  });
  check->verdicts = CheckAllLogs(check->logs, input.texts, check->options);
  std::vector<std::vector<Miscopy>> miscopies = FindMiscopies(*check);
  check->entrants.resize(check->logs.size());
  for (size_t i = 0; i < miscopies.size(); ++i)
    check->entrants[i].miscopies = std::move(miscopies[i]);
  // Written while the plug-in is still busy: it needs only the verdicts.
  const bool written = folder->WriteParts("verdicts.csv", VerdictsCsvHeader(), check->logs.size(),
                                          [&](size_t i) { return VerdictsCsvRows(*check, i); });
  scorer.Wait();
  if (failed) std::rethrow_exception(failed);
  ScoreCredited(host, input, std::move(all), command.penalty, check, &progress, total, Warn);
  progress.Finish();
  return written;
}

// logs.csv, the results, a report per entrant (every other one on a thread
// of its own: thousands of small files, each made and written) and the
// marker. False when one could not be written in full.
bool WriteOutputs(const ContestCheck& check, OutFolder* folder) {
  bool written = folder->Write("logs.csv", LogsCsv(check)) &&
                 folder->Write("results.csv", ResultsCsv(check)) &&
                 folder->Write("results.html", ResultsHtml(check));
  const auto reportName = [&](size_t i, const char* extension) {
    return std::string(kOutReportsFolder) + "/" + ReportFileName(check.logs[i].call, extension);
  };
  for (size_t i = 0; i < check.logs.size(); ++i) {
    folder->List(reportName(i, ".txt"));
    folder->List(reportName(i, ".html"));
  }
  bool reportsWritten[2] = {written, written};
  platform::RunInTwo([&](size_t from) {
    for (size_t i = from; reportsWritten[from] && i < check.logs.size(); i += 2) {
      const std::string report = EntrantReport(check, i);
      reportsWritten[from] =
          folder->WriteListed(reportName(i, ".txt"), report) &&
          folder->WriteListed(reportName(i, ".html"), EntrantReportHtml(check, i, report));
    }
  });
  return folder->WriteMarker() && reportsWritten[0] && reportsWritten[1];
}

int Check(const CheckCommand& command, std::string* out, std::string* err) {
  std::error_code error;
  const fs::path root = fs::absolute(fs::u8path(command.outPath), error);
  ContestInput input;
  std::vector<std::string> listed;
  if (const int status = ReadInput(command, error ? fs::path() : root, &input, &listed, err);
      status >= 0) {
    return status;
  }
  std::string problem;
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
  if (error || !folder.WriteMarker()) {
    *err = LogcheckError("--out " + command.outPath + ": cannot write in it");
    return kExitOutput;
  }
  bool written = false;
  {
    const CurrentFolderChange inPluginFolder((root / kOutPluginFolder).u8string());
    if (!inPluginFolder.Changed()) {
      *err = LogcheckError("--out " + command.outPath + ": cannot work in it");
      return kExitOutput;
    }
    written = MatchAndScore(*host, command, input, &check, &folder);
  }
  written = WriteOutputs(check, &folder) && written;
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
