#include "tools/logreplay/score_command.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "platform/tools/is_terminal.h"
#include "platform/tools/utf8_files.h"
#include "stats/contest_facts.h"
#include "tools/adif/adif_values.h"
#include "tools/replay/working_folder.h"
#include "tools/plugin_outputs/plugin_outputs.h"
#include "tools/report/report_data.h"
#include "tools/report/report_page.h"

namespace tools {
namespace {

// The absolute path of `name` in the current directory, as the system
// writes it; `name` itself when the system cannot tell.
std::string InCurrentDirectory(const std::string& name) {
  std::error_code error;
  const std::filesystem::path path =
      std::filesystem::absolute(std::filesystem::u8path(name), error);
  return error ? name : path.u8string();
}

std::string WithoutCarriageReturns(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c != '\r') out += c;
  }
  return out;
}

// Where the plug-in keeps its settings, as a path of this system: the
// plug-in names it with Windows' separator.
std::string SettingsFile() {
  std::string path = stats::kSettingsPath;
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

// Whether the plug-in wrote err.txt in full during the replay: started
// anew (a header line) with a line for each refused QSO. Its text goes to
// `text`.
bool ErrorFileWritten(const FileState& before, size_t refused, std::string* text,
                      std::string* problem) {
  const FileState after = FileState::Of(kPluginErrorFile);
  if (!after.exists || after == before || !ReadLogFile(kPluginErrorFile, text, problem)) {
    *problem = std::string(kPluginErrorFile) + ": the plug-in could not write it";
    return false;
  }
  size_t lines = 0;
  if (!ErrorFileComplete(*text, refused, &lines)) {
    *problem = std::string(kPluginErrorFile) + ": holds " + std::to_string(lines) + " lines for " +
               std::to_string(refused) +
               " refused QSOs and its header; the plug-in could not "
               "write it in full";
    return false;
  }
  return true;
}

// The text of a small file; empty when it cannot be read.
std::string TextOf(const std::string& path) {
  std::string text;
  std::string problem;
  return ReadLogFile(path, &text, &problem) ? text : std::string();
}

// Where the categories of the plug-in's Cabrillo log come from: the header
// dialog, which saves its values when confirmed. The plug-in starts the
// categories anew at every reset, so a dialog not confirmed leaves its
// defaults.
std::string DialogCategoriesFrom(bool settingsWritten) {
  if (settingsWritten) return "values of the header dialog, confirmed in this run";
  if (!platform::DialogCanReachOperator()) {
    return "defaults of the header dialog, which was not shown for want of a terminal";
  }
  return "values of the header dialog, cancelled or confirmed as they stood";
}

// Reads the Cabrillo log the plug-in wrote and writes the report page
// whole: a page cut short would read as a report.
bool WriteReport(const ScoreCommand& command, const std::string& target, const ReplayPlan& plan,
                 const ReplayOutcome& outcome, const CabrilloOutcome& cabrillo,
                 const std::string& errText, bool settingsWritten, std::string* problem) {
  const std::string& path = *command.reportPath;
  std::string cabrilloText;
  if (!ReadLogFile(cabrillo.name, &cabrilloText, problem)) {
    *problem = "--report " + path + ": " + *problem;
    return false;
  }
  ReportData data =
      GatherReport(plan, outcome.acceptedEach, outcome.results, cabrilloText, errText);
  data.logKind = plan.logKind;
  data.logName = plan.logName;
  // An entry's categories are those its own Cabrillo log declares.
  if (!plan.categories.empty()) {
    data.categories.clear();
    for (const auto& [tag, value] : plan.categories) data.categories.push_back({tag, value});
    data.categoriesFrom = "from the header of " + plan.logName;
  } else {
    data.categoriesFrom = DialogCategoriesFrom(settingsWritten);
  }
  if (!platform::Utf8FileWriter().ReplaceWhole(target,
                                               ReportPage(data, cabrillo.name, kPluginErrorFile))) {
    *problem = "--report " + path + ": cannot write the report (disk full or no access?)";
    return false;
  }
  return true;
}

int HourOfDay(double ole) {
  CivilDate date;
  TimeOfDay time;
  OleToCivil(ole, &date, &time);
  return time.hour;
}

// The own key the plug-in scored with, from its own multiplier code and
// the tour of the last QSO offered, stored or refused. When that QSO was
// refused and the last stored one lies in another tour, `warning` says that
// a Cabrillo log written from the replay scores with another own key.
PlanSetting OwnKeySetting(const ReplayPlan& plan, const ReplayOutcome& outcome,
                          std::string* warning) {
  const auto place = [&](size_t i) {
    return (plan.logKind == LogKind::kCabrillo ? "line " : "record ") +
           std::to_string(plan.qsoPlaces[i]);
  };
  const int startHour = HourOfDay(plan.start.value);
  const auto tourOf = [&](size_t i) { return TourOfHour(HourOfDay(plan.qsos[i].time), startHour); };
  const size_t last = plan.qsos.size() - 1;
  const int tour = tourOf(last);
  const bool refused = !outcome.acceptedEach[last];
  PlanSetting setting{"own key", plan.ownMultCode + std::to_string(tour),
                      "own multiplier code and tour " + std::to_string(tour) +
                          " of the last QSO offered, " + place(last) +
                          (refused ? ", refused" : "")};
  size_t stored = last;
  while (stored > 0 && !outcome.acceptedEach[stored]) --stored;
  if (refused && (!outcome.acceptedEach[stored] || tourOf(stored) != tour)) {
    *warning = "the last QSO offered, " + place(last) + ", was refused, yet its tour gives the " +
               "own key " + setting.value +
               "; a Cabrillo log written from this replay lacks that QSO, so scored from it " +
               "the own key follows the last stored QSO" +
               (outcome.acceptedEach[stored] ? ", " + place(stored) + ": " + plan.ownMultCode +
                                                   std::to_string(tourOf(stored))
                                             : std::string());
  }
  return setting;
}

}  // namespace

std::string FormatSettings(const std::vector<PlanSetting>& settings) {
  size_t width = 0;
  for (const PlanSetting& setting : settings) width = std::max(width, setting.name.size());
  std::string block = "Replay settings\n";
  for (const PlanSetting& setting : settings) {
    // Values come from the log and may hold any bytes.
    block += "  " + setting.name + ":" + std::string(width + 2 - setting.name.size(), ' ') +
             (setting.value.empty() ? "(empty)" : PrintableLine(setting.value)) + " (" +
             PrintableLine(setting.source) + ")\n";
  }
  return block + "\n";
}

CabrilloOutcome JudgeCabrillo(const ReplayOutcome& outcome, const std::string& expectedName,
                              const FileState& before, const std::string& folder) {
  CabrilloOutcome judged;
  const std::string notice = CabrilloNotice(outcome);
  if (!ProducedFileName(outcome).empty()) {
    judged.name = ProducedFileName(outcome);
    judged.produced = FileState::Of(judged.name).exists;
    judged.line = judged.produced ? "Cabrillo log: " + notice + " in " + folder
                                  : "Cabrillo log: the plug-in said \"" + notice +
                                        "\", but no such file is in " + folder;
  } else if (!notice.empty()) {
    judged.name = expectedName;
    judged.line = "Cabrillo log: " + notice;
  } else {
    judged.name = expectedName;
    const FileState after = FileState::Of(expectedName);
    judged.produced = after.exists && after != before;
    judged.line = judged.produced
                      ? "Cabrillo log: File produced: " + expectedName + " in " + folder +
                            " (found there; the plug-in's notice was not seen)"
                      : "Cabrillo log: the plug-in gave no notice and wrote no " + expectedName +
                            " (score " + std::to_string(outcome.score) + ")";
  }
  return judged;
}

std::string FormatReport(const ReplayOutcome& outcome, const std::string& errPath, size_t warnings,
                         const std::string& cabrilloLine) {
  std::string report = WithoutCarriageReturns(outcome.results);
  if (!report.empty() && report.back() != '\n') report += '\n';
  report +=
      std::to_string(outcome.offered) + (outcome.offered == 1 ? " QSO" : " QSOs") +
      " offered: " + std::to_string(outcome.accepted) + " accepted, " +
      std::to_string(outcome.refused) + " refused" +
      (errPath.empty() ? std::string(" (err.txt not written)") : " (listed in " + errPath + ")") +
      "\n";
  if (warnings > 0) {
    report += std::to_string(warnings) + (warnings == 1 ? " warning" : " warnings") +
              " on standard error\n";
  }
  if (!cabrilloLine.empty()) report += cabrilloLine + "\n";
  return report;
}

std::string ErrorLine(const std::string& message) { return ToolErrorLine("logreplay", message); }

int RunScore(const ScoreCommand& command, std::string* out, std::string* err) {
  std::string text;
  std::string problem;
  if (!ReadLogFile(command.logPath, &text, &problem)) {
    *err = ErrorLine(command.logPath + ": " + problem);
    return kExitBadInput;
  }
  ReplayOptions options = command.replay;
  if (command.groupMapPath) {
    options.groupMap.emplace();
    if (!ReadGroupMap(*command.groupMapPath, &*options.groupMap, &problem)) {
      *err = ErrorLine("--group-map " + *command.groupMapPath + ": " + problem);
      return kExitBadInput;
    }
  }
  ReplayPlan plan;
  if (!PlanReplay(text, options, &plan, &problem)) {
    *err = ErrorLine(command.logPath + ": " + problem);
    return kExitBadInput;
  }
  plan.logName = std::filesystem::u8path(command.logPath).filename().u8string();
  // The report's per-QSO figures come from the plug-in's Cabrillo pass.
  if (command.reportPath) plan.cabrillo = true;

  const std::string workPath =
      command.workPath ? *command.workPath : DefaultWorkingFolder(command.logPath);
  WorkingFolder work;
  if (!work.Open(workPath, &problem)) {
    *err = ErrorLine("--work " + workPath + ": " + problem);
    return kExitBadInput;
  }
  plan.settings.push_back(
      {"working folder", work.Path(),
       command.workPath ? "option --work" : "default: named after the log, in the current folder"});
  const std::string cabrilloName = CabrilloFileName(plan.ownCall);
  std::vector<GuardedFile> pluginFiles = {{kPluginErrorFile, "list of refused QSOs"},
                                          {SettingsFile(), "settings file"}};
  if (plan.cabrillo) pluginFiles.push_back({cabrilloName, "Cabrillo log"});
  std::vector<std::string> pluginFileNames;
  for (const GuardedFile& file : pluginFiles) pluginFileNames.push_back(file.path);
  struct Input {
    std::string option;  // before the path in a message
    const std::string* path;
    const char* what;
  };
  std::vector<Input> inputs = {{"", &command.logPath, "this log"}};
  if (command.groupMapPath) inputs.push_back({"--group-map ", &*command.groupMapPath, "this map"});
  for (const GuardedFile& file : pluginFiles) {
    for (const Input& input : inputs) {
      if (!SameFilePath(work.PathOf(file.path), *input.path)) continue;
      *err = ErrorLine(input.option + *input.path + ": the plug-in's " + file.what + " " +
                       file.path + " would replace " + input.what + "; give another --work folder");
      return kExitBadInput;
    }
  }
  const std::string foreign = work.ForeignFile(pluginFileNames);
  if (!foreign.empty()) {
    *err = ErrorLine(work.PathOf(foreign) +
                     ": was not written by logreplay, and the plug-in would replace it; move it "
                     "away or give another --work folder");
    return kExitBadInput;
  }
  std::string reportTarget;
  if (command.reportPath) {
    const std::string& path = *command.reportPath;
    std::vector<GuardedFile> guarded = {{command.logPath, "the input log"}};
    if (command.groupMapPath) guarded.push_back({*command.groupMapPath, "the group map"});
    guarded.push_back({work.PathOf(kPluginErrorFile), "the plug-in's list of refused QSOs"});
    guarded.push_back({work.PathOf(cabrilloName), "the Cabrillo log the plug-in writes"});
    guarded.push_back({work.PathOf(SettingsFile()), "the plug-in's settings file"});
    guarded.push_back({work.PathOf(kWrittenRecordName), "logreplay's record of its files"});
    std::string reason = OutputPathProblem(path, guarded);
    if (reason.empty() && !command.force && FileState::Of(path).exists && !IsReportPage(path)) {
      reason = "is a file that logreplay did not write; give --force to replace it";
    }
    if (!reason.empty()) {
      *err = ErrorLine("--report" + (path.empty() ? "" : " " + path) + ": " + reason);
      return kExitBadInput;
    }
    reportTarget = InCurrentDirectory(OutputTarget(path));
  }

  std::unique_ptr<PluginHost> host = LoadScoringPlugin(command.pluginPath, command.names, &problem);
  if (host == nullptr) {
    *err = ErrorLine(problem);
    return kExitPlugin;
  }
  if (!work.Create(&problem)) {
    *err = ErrorLine("--work " + workPath + ": " + problem);
    return kExitBadInput;
  }
  // The plug-in writes its files in the current folder, as in the host's.
  const CurrentFolderChange inWorkFolder(work.Path());
  if (!inWorkFolder.Changed()) {
    *err = ErrorLine("--work " + workPath + ": cannot work in it");
    return kExitBadInput;
  }

  // Before the replay, so they stand above the plug-in's own notices.
  const ProgressLine::Write toStandardError = WriteToStandardError();
  for (const std::string& warning : plan.warnings) {
    toStandardError(ErrorLine("warning: " + warning));
  }
  const FileState errorFileBefore = FileState::Of(kPluginErrorFile);
  const FileState cabrilloBefore = FileState::Of(cabrilloName);
  ProgressLine progress(platform::StandardErrorIsTerminal(), SteadySeconds(), toStandardError);
  const std::string settingsBefore = TextOf(SettingsFile());
  bool settingsWritten = false;
  const ReplayOutcome outcome = Replay(*host, plan, &progress, [&] {
    settingsWritten = plan.cabrillo && TextOf(SettingsFile()) != settingsBefore;
  });
  const bool remembered = work.Remember(pluginFileNames, &problem);
  const std::string claimed =
      ClaimedScoreWarning(plan, PluginScore(outcome.results, outcome.score));
  if (!claimed.empty()) {
    toStandardError(ErrorLine("warning: " + claimed));
    plan.warnings.push_back(claimed);
  }

  std::string ownKeyWarning;
  plan.settings.push_back(OwnKeySetting(plan, outcome, &ownKeyWarning));
  if (!ownKeyWarning.empty()) {
    toStandardError(ErrorLine("warning: " + ownKeyWarning));
    plan.warnings.push_back(ownKeyWarning);
  }

  CabrilloOutcome cabrillo;
  if (plan.cabrillo) cabrillo = JudgeCabrillo(outcome, cabrilloName, cabrilloBefore, work.Path());
  std::string errText;
  std::string errProblem;
  const bool errWritten = ErrorFileWritten(errorFileBefore, outcome.refused, &errText, &errProblem);
  *out = FormatSettings(plan.settings) +
         FormatReport(outcome, errWritten ? work.PathOf(kPluginErrorFile) : std::string(),
                      plan.warnings.size(), cabrillo.line);
  if (!errWritten) {
    *err = ErrorLine(errProblem);
    return kExitOutput;
  }
  if (plan.cabrillo && !cabrillo.produced) {
    *err = ErrorLine("the Cabrillo log " + cabrillo.name + " was not produced" +
                     (command.reportPath ? "; the report page is drawn from it" : ""));
    return kExitOutput;
  }
  if (!remembered) {
    *err = ErrorLine(problem);
    return kExitOutput;
  }
  if (command.reportPath) {
    if (!WriteReport(command, reportTarget, plan, outcome, cabrillo, errText, settingsWritten,
                     &problem)) {
      *err = ErrorLine(problem);
      return kExitOutput;
    }
    *out += "Report: " + reportTarget + "\n";
  }
  return kExitOk;
}

}  // namespace tools
