#include "tools/score_command.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "platform/executable_path.h"
#include "platform/utf8_files.h"
#include "platform/is_terminal.h"
#include "platform/notice_capture.h"
#include "tools/report_data.h"
#include "tools/report_page.h"

namespace tools {
namespace {

// The absolute path of `name` in the current directory, as the system
// writes it; `name` itself when the system cannot tell.
std::string InCurrentDirectory(const std::string& name) {
  std::error_code error;
  const std::filesystem::path path = std::filesystem::absolute(std::filesystem::u8path(name), error);
  return error ? name : path.string();
}

std::string CurrentDirectory() {
  std::error_code error;
  const std::filesystem::path path = std::filesystem::current_path(error);
  return error ? std::string(".") : path.string();
}

std::string WithoutCarriageReturns(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c != '\r') out += c;
  }
  return out;
}

// The caption of the plug-in's notice about the Cabrillo log, and the start
// of its text when the file was written.
constexpr char kCabrilloNotice[] = "Output: ";
constexpr char kFileProduced[] = "File produced: ";
constexpr char kErrorFile[] = "err.txt";
constexpr size_t kMaxErrorLine = 400;

// `text` on one line of at most about `limit` bytes: control bytes and
// bytes above 126 as \\xNN, the rest cut off with "...".
std::string Printable(const std::string& text, size_t limit) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string line;
  for (unsigned char c : text) {
    if (line.size() >= limit) return line + "...";
    if (c < 0x20 || c > 0x7e) {
      line += "\\x";
      line += kHex[c >> 4];
      line += kHex[c & 0xf];
    } else {
      line += static_cast<char>(c);
    }
  }
  return line;
}

// The text of the plug-in's last notice about the Cabrillo log, without its
// caption; empty when it gave none.
std::string CabrilloNotice(const ReplayOutcome& outcome) {
  std::string notice;
  for (const std::string& shown : outcome.notices) {
    if (shown.rfind(kCabrilloNotice, 0) == 0) notice = shown.substr(sizeof kCabrilloNotice - 1);
  }
  return notice;
}

// The Cabrillo log's file name from the plug-in's notice "File produced:
// NAME.cbr"; empty when it gave no such notice.
std::string ProducedCabrilloName(const ReplayOutcome& outcome) {
  const std::string notice = CabrilloNotice(outcome);
  return notice.rfind(kFileProduced, 0) == 0 ? notice.substr(sizeof kFileProduced - 1)
                                             : std::string();
}

// Reads what the plug-in wrote and writes the report page.
int WriteReport(const ReplayPlan& plan, const ReplayOutcome& outcome, const std::string& path,
                std::string* err) {
  const std::string cabrilloName = ProducedCabrilloName(outcome);
  std::string cabrilloText, errText, problem;
  if (cabrilloName.empty()) {
    *err = ErrorLine("--report: the plug-in produced no Cabrillo log");
    return kExitPlugin;
  }
  if (!ReadLogFile(cabrilloName, &cabrilloText, &problem) ||
      !ReadLogFile(kErrorFile, &errText, &problem)) {
    *err = ErrorLine("--report: " + problem);
    return kExitPlugin;
  }
  const ReportData data =
      GatherReport(plan, outcome.acceptedEach, outcome.results, cabrilloText, errText);
  // Written whole or not at all: a page cut short would read as a report.
  if (!platform::Utf8FileWriter().ReplaceWhole(path,
                                                 ReportPage(data, cabrilloName, kErrorFile))) {
    *err = ErrorLine(path + ": cannot write the report");
    return kExitBadInput;
  }
  return kExitOk;
}

}  // namespace

ReplayOutcome Replay(const PluginHost& host, const ReplayPlan& plan, ProgressLine* progress) {
  ResetArgs reset;
  reset.cabrillo = plan.cabrillo;
  reset.ownCall = plan.ownCall;
  reset.start = plan.start;
  reset.ownMultCode = plan.ownMultCode;
  reset.ownGroupCode = plan.ownGroupCode;
  host.Reset(reset);

  ReplayOutcome outcome;
  for (const AdifQso& qso : plan.qsos) {
    const bool accepted = host.Add(plan.ownCall, qso) != 0;
    ++(accepted ? outcome.accepted : outcome.refused);
    outcome.acceptedEach.push_back(accepted);
    ++outcome.offered;
    progress->Update(outcome.offered, plan.qsos.size());
  }
  progress->Finish();
  platform::NoticeCapture capture;
  outcome.results = host.Result(&outcome.score);
  outcome.notices = capture.Finish();
  return outcome;
}

std::string FormatSettings(const std::vector<PlanSetting>& settings) {
  size_t width = 0;
  for (const PlanSetting& setting : settings) width = std::max(width, setting.name.size());
  std::string block = "Replay settings\n";
  for (const PlanSetting& setting : settings) {
    // Values come from the log and may hold any bytes.
    block += "  " + setting.name + ":" + std::string(width + 2 - setting.name.size(), ' ') +
             (setting.value.empty() ? "(empty)" : Printable(setting.value, kMaxErrorLine)) +
             " (" + Printable(setting.source, kMaxErrorLine) + ")\n";
  }
  return block + "\n";
}

std::string FormatReport(const ReplayOutcome& outcome, const std::string& errPath,
                         size_t warnings, bool cabrillo, const std::string& folder) {
  std::string report = WithoutCarriageReturns(outcome.results);
  if (!report.empty() && report.back() != '\n') report += '\n';
  report += std::to_string(outcome.offered) + (outcome.offered == 1 ? " QSO" : " QSOs") +
            " offered: " + std::to_string(outcome.accepted) + " accepted, " +
            std::to_string(outcome.refused) + " refused (listed in " + errPath + ")\n";
  if (warnings > 0) {
    report += std::to_string(warnings) + (warnings == 1 ? " warning" : " warnings") +
              " on standard error\n";
  }
  if (!cabrillo) return report;
  const std::string notice = CabrilloNotice(outcome);
  if (notice.empty()) {
    report += "Cabrillo log: the plug-in gave no notice about it (score " +
              std::to_string(outcome.score) + ")\n";
  } else if (notice.rfind(kFileProduced, 0) == 0) {
    report += "Cabrillo log: " + notice + " in " + folder + "\n";
  } else {
    report += "Cabrillo log: " + notice + "\n";
  }
  return report;
}

std::string ErrorLine(const std::string& message) {
  return "logreplay: " + Printable(message, kMaxErrorLine) + "\n";
}

int RunScore(const ScoreCommand& command, std::string* out, std::string* err) {
  std::string text;
  std::string problem;
  if (!ReadLogFile(command.logPath, &text, &problem)) {
    *err = ErrorLine(command.logPath + ": " + problem);
    return kExitBadInput;
  }
  ReplayPlan plan;
  if (!PlanReplay(text, command.replay, &plan, &problem)) {
    *err = ErrorLine(command.logPath + ": " + problem);
    return kExitBadInput;
  }
  // The report's per-QSO figures come from the plug-in's Cabrillo pass.
  if (!command.reportPath.empty()) plan.cabrillo = true;

  const std::string pluginPath = command.pluginPath.empty()
                                     ? platform::PathBesideExecutable(kPluginFileName)
                                     : command.pluginPath;
  std::unique_ptr<PluginHost> host = PluginHost::Load(pluginPath, command.names, &problem);
  if (host == nullptr) {
    *err = ErrorLine(problem);
    return kExitPlugin;
  }
  if (host->NumberOfSets() < 1) {
    *err = ErrorLine("plug-in " + pluginPath + " offers no statistics set");
    return kExitPlugin;
  }

  // Before the replay, so they stand above the plug-in's own notices.
  const ProgressLine::Write toStandardError = WriteToStandardError();
  for (const std::string& warning : plan.warnings) {
    toStandardError(ErrorLine("warning: " + warning));
  }
  ProgressLine progress(platform::StandardErrorIsTerminal(), SteadySeconds(), toStandardError);
  const ReplayOutcome outcome = Replay(*host, plan, &progress);
  if (!command.reportPath.empty()) {
    const int status = WriteReport(plan, outcome, command.reportPath, err);
    if (status != kExitOk) return status;
  }
  *out = FormatSettings(plan.settings) +
         FormatReport(outcome, InCurrentDirectory(kErrorFile), plan.warnings.size(), plan.cabrillo,
                      CurrentDirectory());
  if (!command.reportPath.empty()) {
    *out += "Report: " + InCurrentDirectory(command.reportPath) + "\n";
  }
  return kExitOk;
}

}  // namespace tools
