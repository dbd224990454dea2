#include "tools/score_command.h"

#include <filesystem>
#include <memory>

#include "platform/executable_path.h"
#include "platform/is_terminal.h"

namespace tools {
namespace {

// The absolute path of `name` in the current directory, as the system
// writes it; `name` itself when the system cannot tell.
std::string InCurrentDirectory(const std::string& name) {
  std::error_code error;
  const std::filesystem::path path = std::filesystem::absolute(name, error);
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
    if (host.Add(plan.ownCall, qso) != 0) {
      ++outcome.accepted;
    } else {
      ++outcome.refused;
    }
    ++outcome.offered;
    progress->Update(outcome.offered, plan.qsos.size());
  }
  outcome.results = host.Result(&outcome.score);
  progress->Finish();
  return outcome;
}

std::string FormatReport(const ReplayOutcome& outcome, const std::string& errPath,
                         bool cabrillo, const std::string& folder) {
  std::string report = WithoutCarriageReturns(outcome.results);
  if (!report.empty() && report.back() != '\n') report += '\n';
  report += std::to_string(outcome.offered) + (outcome.offered == 1 ? " QSO" : " QSOs") +
            " offered: " + std::to_string(outcome.accepted) + " accepted, " +
            std::to_string(outcome.refused) + " refused (listed in " + errPath + ")\n";
  if (cabrillo) {
    report += outcome.score == -1
                  ? "Cabrillo log (.cbr, named after the own callsign) written in " + folder + "\n"
                  : "Cabrillo log asked for, but the plug-in did not report it written\n";
  }
  return report;
}

int RunScore(const ScoreCommand& command, std::string* out, std::string* err) {
  std::string text;
  if (!ReadLogFile(command.logPath, &text)) {
    *err = "logreplay: " + command.logPath + ": cannot read the file\n";
    return kExitBadInput;
  }
  ReplayPlan plan;
  std::string problem;
  if (!PlanReplay(text, command.replay, &plan, &problem)) {
    *err = "logreplay: " + command.logPath + ": " + problem + "\n";
    return kExitBadInput;
  }

  const std::string pluginPath = command.pluginPath.empty()
                                     ? platform::PathBesideExecutable(kPluginFileName)
                                     : command.pluginPath;
  std::unique_ptr<PluginHost> host = PluginHost::Load(pluginPath, command.names, &problem);
  if (host == nullptr) {
    *err = "logreplay: " + problem + "\n";
    return kExitPlugin;
  }
  if (host->NumberOfSets() < 1) {
    *err = "logreplay: plug-in " + pluginPath + " offers no statistics set\n";
    return kExitPlugin;
  }

  ProgressLine progress(platform::StandardErrorIsTerminal(), SteadySeconds(),
                        WriteToStandardError());
  const ReplayOutcome outcome = Replay(*host, plan, &progress);
  *out = FormatReport(outcome, InCurrentDirectory("err.txt"), plan.cabrillo, CurrentDirectory());
  return kExitOk;
}

}  // namespace tools
