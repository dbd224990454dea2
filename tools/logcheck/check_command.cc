#include "tools/logcheck/check_command.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "platform/tools/is_terminal.h"
#include "platform/tools/utf8_files.h"
#include "stats/contest_facts.h"
#include "tools/host/plugin_host.h"
#include "tools/logcheck/check_outputs.h"
#include "tools/logcheck/contest_input.h"
#include "tools/logreplay/group_map.h"
#include "tools/logreplay/progress_line.h"
#include "tools/logreplay/score_command.h"
#include "tools/logreplay/working_folder.h"
#include "tools/plugin_outputs/plugin_outputs.h"

namespace tools {

const char kLogcheckMarkerName[] = "written-by-logcheck.txt";

namespace {

namespace fs = std::filesystem;

constexpr char kMarkerTitle[] = "# files logcheck wrote in this folder; it replaces only these";
constexpr char kPluginFolder[] = "plugin";
constexpr char kReportsFolder[] = "reports";

std::string LogcheckError(const std::string& message) {
  std::string line = ErrorLine(message);
  return "logcheck" + line.substr(line.find(':'));
}

// The files an earlier run listed in the marker; false when the folder
// holds files but no marker.
bool OwnedFolder(const fs::path& folder, std::vector<std::string>* listed, std::string* problem) {
  std::error_code error;
  if (!fs::exists(folder, error)) return true;
  if (!fs::is_directory(folder, error)) {
    *problem = "is not a folder";
    return false;
  }
  std::string text;
  const fs::path marker = folder / kLogcheckMarkerName;
  if (!fs::exists(marker, error)) {
    if (!fs::is_empty(folder, error)) {
      *problem = "holds files logcheck did not write (no " + std::string(kLogcheckMarkerName) +
                 "); give an empty or new folder";
      return false;
    }
    return true;
  }
  if (!ReadLogFile(marker.u8string(), &text, problem)) return false;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    // Only names inside the folder: a marker edited by hand must not
    // reach a file elsewhere.
    const fs::path name = fs::u8path(line);
    if (!line.empty() && line[0] != '#' && line.find("..") == std::string::npos &&
        !name.has_root_name() && !name.has_root_directory()) {
      listed->push_back(line);
    }
    start = end + 1;
  }
  return true;
}

class OutFolder {
 public:
  explicit OutFolder(fs::path root) : m_root(std::move(root)) {}

  // The outputs are written in place, without a flush to the disk each:
  // thousands of reports, each flushed, took most of a large contest's
  // run, and the folder is logcheck's own, its marker written last.
  bool Write(const std::string& name, const std::string& bytes) {
    return WriteParts(name, bytes, 0, [](size_t) { return std::string(); });
  }
  // A file written in parts: `part(i)` for i from 0 to `count` - 1, after
  // `head`, so that no whole copy of a large file is held.
  template <typename Part>
  bool WriteParts(const std::string& name, const std::string& head, size_t count, Part part) {
    m_written.push_back(name);
    std::FILE* file = platform::OpenFileUtf8((m_root / fs::u8path(name)).u8string(), "wb");
    if (file == nullptr) return false;
    bool written = std::fwrite(head.data(), 1, head.size(), file) == head.size();
    for (size_t i = 0; written && i < count; ++i) {
      const std::string text = part(i);
      written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    }
    return std::fclose(file) == 0 && written;
  }
  bool WriteMarker() {
    std::string text = std::string(kMarkerTitle) + "\n";
    for (const std::string& name : m_written) text += name + "\n";
    text += std::string(kPluginFolder) + "/" + kPluginErrorFile + "\n";
    text += std::string(kPluginFolder) + "/Plugins/TAVIN.ini\n";
    return platform::Utf8FileWriter().ReplaceWhole((m_root / kLogcheckMarkerName).u8string(), text);
  }

 private:
  fs::path m_root;
  std::vector<std::string> m_written;
};

// The plug-in's score of `plan`.
long long ScoreOf(const PluginHost& host, const ReplayPlan& plan) {
  ProgressLine silent(false, SteadySeconds(), nullptr);
  const ReplayOutcome outcome = Replay(host, plan, &silent);
  return PluginScore(outcome.results, outcome.score);
}

}  // namespace

int RunCheck(const CheckCommand& command, std::string* out, std::string* err) {
  std::string problem;
  InputOptions options;
  options.start = command.start;
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
  check.options.startMinute = std::llround(input.start.value * 1440.0);
  check.options.tourMinutes = stats::kTourHours * 60;
  check.options.contestMinutes = stats::kTourHours * stats::kTourCount * 60;
  check.logs = TakeCheckLogs(&input);
  check.verdicts = CheckAllLogs(check.logs, input.texts, check.options);
  check.miscopies = FindMiscopies(check);

  for (const std::string& name : listed) fs::remove(root / fs::u8path(name), error);
  fs::create_directories(root / kReportsFolder, error);
  fs::create_directories(root / kPluginFolder / "Plugins", error);
  OutFolder folder(root);
  if (error || !folder.WriteMarker()) {
    *err = LogcheckError("--out " + command.outPath + ": cannot write in it");
    return kExitOutput;
  }

  {
    const CurrentFolderChange inPluginFolder((root / kPluginFolder).u8string());
    if (!inPluginFolder.Changed()) {
      *err = LogcheckError("--out " + command.outPath + ": cannot work in it");
      return kExitOutput;
    }
    ProgressLine progress(platform::StandardErrorIsTerminal(), SteadySeconds(), toStandardError);
    // The line counts the QSO lines of the logs scored so far.
    size_t total = 0;
    size_t done = 0;
    for (const CheckLog& log : check.logs) total += log.qsos.size();
    for (size_t i = 0; i < input.logs.size(); ++i) {
      progress.Update(done, total);
      done += check.logs[i].qsos.size();
      if (check.logs[i].checklog) {
        check.pluginScores.emplace_back();
        check.checkedScores.emplace_back();
        continue;
      }
      ReplayPlan plan = RestoredPlan(input.logs[i], input.texts, input.start);
      check.pluginScores.push_back(ScoreOf(*host, plan));
      // The plan's QSOs are in the order of the verdicts (both in time order).
      size_t kept = 0;
      for (size_t j = 0; j < plan.qsos.size(); ++j) {
        if (!IsCredited(check.verdicts[i].qsos[j].verdict)) continue;
        if (kept != j) plan.qsos[kept] = std::move(plan.qsos[j]);
        ++kept;
      }
      plan.qsos.resize(kept);
      check.checkedScores.push_back(ScoreOf(*host, plan));
    }
    progress.Finish();
  }

  bool written = folder.WriteParts("verdicts.csv", VerdictsCsvHeader(), check.logs.size(),
                                   [&](size_t i) { return VerdictsCsvRows(check, i); }) &&
                 folder.Write("logs.csv", LogsCsv(check)) &&
                 folder.Write("results.csv", ResultsCsv(check)) &&
                 folder.Write("results.html", ResultsHtml(check));
  for (size_t i = 0; written && i < check.logs.size(); ++i) {
    if (check.logs[i].checklog) continue;
    const std::string reports = std::string(kReportsFolder) + "/";
    const std::string report = EntrantReport(check, i);
    written = folder.Write(reports + ReportFileName(check.logs[i].call, ".txt"), report) &&
              folder.Write(reports + ReportFileName(check.logs[i].call, ".html"),
                           EntrantReportHtml(check, i, report));
  }
  written = folder.WriteMarker() && written;
  *out = "Contest start: " + FormatStart(input.start) + " UTC (" + input.startSource + ")\n" +
         CheckSummary(check) + "Written to " + root.u8string() + "\n";
  if (!written) {
    *err = LogcheckError("--out " + command.outPath + ": an output could not be written in full");
    return kExitOutput;
  }
  return kExitOk;
}

}  // namespace tools
