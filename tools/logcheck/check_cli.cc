#include "tools/logcheck/check_cli.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstring>

#include "tools/adif/adif_reader.h"
#include "tools/replay/command_line.h"
#include "tools/replay/replay_plan.h"
#include "tools/replay/replay_run.h"
#include "tools/report/report_data.h"

namespace tools {
namespace {

constexpr char kFooter[] =
    "Every Cabrillo log named, and every Cabrillo log in the folders named\n"
    "(not their subfolders), is checked against the others; files that are\n"
    "no Cabrillo log are named on standard error and counted as skipped. A\n"
    "log whose CATEGORY- tags say CHECKLOG confirms others' QSOs and is not\n"
    "scored.\n"
    "\n"
    "Results are ranked by class: the values of the --class-by tags, in the\n"
    "order given (tags in any case, CATEGORY- optional; default OPERATOR,\n"
    "BAND, MODE, POWER). Other CATEGORY- tags do not split a class; a tag a\n"
    "log lacks is left out of its class, and a log that has none of them is\n"
    "in the class \"(no category)\".\n"
    "\n"
    "Two logs of one call: the later wins, with a warning; later is\n"
    "the one whose last QSO is later, then whose file name sorts later.\n"
    "\n"
    "%VERDICTS%"
    "A QSO line whose time, band or mode cannot be read is unreadable; a\n"
    "QSO that finds no match in a log with such a line near its time is\n"
    "unconfirmed, not nil. A busted call is found within --time-mismatch\n"
    "minutes; a unique call one edit from a call in at least --popular-logs\n"
    "logs, with the same code, is a busted call when that station was on\n"
    "the band and mode within --popular-window minutes.\n"
    "Each log's clock is corrected first; dupes, tours and outside-contest\n"
    "follow the corrected times. Each entrant's credited QSOs are replayed\n"
    "through the plug-in at their corrected times for the checked score,\n"
    "with the log's own call, its multiplier code (first sent exchange) and\n"
    "its group (--group-map); each QSO's points are the plug-in's, from its\n"
    "Cabrillo log of all QSOs.\n"
    "\n"
    "DIR receives verdicts.csv, logs.csv, results.csv, results.html and\n"
    "reports/CALL.txt and .html; the plug-in works in DIR/plugin. logcheck\n"
    "writes only in DIR, which must be new, empty, or written by logcheck\n"
    "before (it keeps written-by-logcheck.txt there, with each file's size\n"
    "and hash); it refuses DIR when a symbolic link stands in it or a file\n"
    "it wrote there has changed since.\n"
    "\n"
    "Exit status: 0 done, 2 bad usage or input (nothing written), 3 plug-in\n"
    "missing, not loadable or lacking an export, 4 an output not written or\n"
    "a failure while checking (one line on standard error).\n"
    "\n"
    "Example:\n"
    "  logcheck logs/ --out checked --group-map groups.txt\n";

// The footer, its list of verdicts from verdicts.def: name, whether
// credited, penalised, and what each rests on.
std::string Footer() {
  std::string verdicts = "Verdicts (C credited, P penalised by --penalty):\n";
  for (int k = 0; k < kVerdictCount; ++k) {
    const Verdict verdict = static_cast<Verdict>(k);
    std::string line = std::string("  ") + VerdictName(verdict);
    line.resize(18, ' ');
    line += IsCredited(verdict) ? "C " : "  ";
    line += IsPenalised(verdict) ? "P " : "  ";
    // The evidence wrapped at word ends to fit 78 columns.
    const size_t indent = line.size();
    std::string word;
    for (const char* c = VerdictEvidence(verdict);; ++c) {
      if (*c != ' ' && *c != '\0') {
        word += *c;
        continue;
      }
      const size_t last = line.rfind('\n') == std::string::npos ? 0 : line.rfind('\n') + 1;
      if (line.size() - last + word.size() + 1 > 78) line += "\n" + std::string(indent, ' ');
      line += (line.back() == ' ' ? "" : " ") + word;
      word.clear();
      if (*c == '\0') break;
    }
    verdicts += line + "\n";
  }
  std::string footer = kFooter;
  const std::string mark = "%VERDICTS%";
  return footer.replace(footer.find(mark), mark.size(), verdicts + "\n");
}

// "operator" or "Category-Operator" as "CATEGORY-OPERATOR"; empty when no
// such tag exists.
std::string ClassTag(const std::string& name) {
  const std::string upper = AdifUpper(name);
  for (const char* tag : kCategoryTags) {
    if (upper == tag || kCategoryPrefix + upper == tag) return tag;
  }
  return std::string();
}

// The tags of --class-by, each once, in the order given; false with the
// message when a name is no tag.
bool ParseClassBy(const std::string& list, std::vector<std::string>* tags, std::string* err) {
  tags->clear();
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(',', start);
    if (end == std::string::npos) end = list.size();
    const std::string name = list.substr(start, end - start);
    const std::string tag = ClassTag(name);
    if (tag.empty()) {
      std::string known;
      for (const char* t : kCategoryTags) {
        known += std::string(known.empty() ? "" : ", ") + (t + std::strlen(kCategoryPrefix));
      }
      *err = "logcheck: --class-by: \"" + name + "\" is no category tag; known: " + known + "\n";
      return false;
    }
    if (std::find(tags->begin(), tags->end(), tag) == tags->end()) tags->push_back(tag);
    start = end + 1;
  }
  return true;
}

}  // namespace

int ParseCheckCommandLine(int argc, const char* const* argv, CheckCommand* command,
                          std::string* out, std::string* err) {
  CLI::App app(
      "Cross-checks the Cabrillo logs of a CQ UT CONTEST and scores each\n"
      "entrant's credited QSOs through the Stats plug-in.",
      "logcheck");
  app.footer(Footer());
  app.allow_windows_style_options(false);
  app.add_option("LOG_OR_FOLDER", command->inputs, "Cabrillo logs and folders of them")
      ->required()
      ->type_name("");
  app.add_option("--out", command->outPath, "folder of the results, which logcheck owns")
      ->required()
      ->type_name("DIR");
  std::string groupMap;
  CLI::Option* groupMapOption =
      app.add_option("--group-map", groupMap,
                     "file of lines \"CODE GROUP\": each multiplier\ncode's group code")
          ->type_name("FILE");
  app.add_option("--plugin", command->pluginPath,
                 std::string("plug-in library to load (default: ") + kPluginFileName +
                     "\nbeside this program)")
      ->type_name("PATH");
  std::string start;
  CLI::Option* startOption = app.add_option(
      "--start", start,
      "contest start, UTC date and hour (default: the\nhour most logs' first QSOs fall in)");
  TakesContestStart(startOption);
  std::string classBy;
  CLI::Option* classByOption =
      app.add_option("--class-by", classBy,
                     "CATEGORY- tags whose values make a class\n(default OPERATOR,BAND,MODE,POWER)")
          ->type_name("TAG,...");
  MatchOptions& m = command->match;
  const auto number = [&](const char* name, int* value, const char* what) {
    app.add_option(name, *value, std::string(what) + " (default " + std::to_string(*value) + ")")
        ->check(CLI::Range(0, 1440).description(""))
        ->type_name("N");
  };
  number("--window", &m.windowMinutes, "minutes apart a QSO is confirmed within");
  number("--time-mismatch", &m.timeMismatchMinutes,
         "minutes apart a QSO is still credited,\nlisted as time-mismatch");
  number("--clock-qsos", &m.clockMinQsos,
         "QSOs matched both ways needed to correct\na log's clock");
  number("--clock-min", &m.clockMinMinutes, "smallest clock correction, minutes");
  number("--clock-search", &m.clockSearchMinutes,
         "how far apart, in minutes, QSOs are paired\nto estimate a clock");
  number("--unconfirmed-logs", &m.unconfirmedMinLogs,
         "logs that must hold a station without a log\nfor its QSOs to be credited");
  number("--majority-logs", &m.majorityMinLogs,
         "logs that must agree on such a station's code\nfor it to be checked");
  number("--popular-logs", &m.popularCallLogs,
         "logs that make a call one edit from a unique\nthe call meant (a busted call)");
  number("--popular-window", &m.popularWindowMinutes,
         "minutes from a unique within which the\npopular call must be on its band and mode");
  app.add_option(
         "--penalty", command->penalty,
         "each busted call and nil also costs N times\nits points (default 0: removal only)")
      ->check(CLI::Range(0, 100).description(""))
      ->type_name("N");
  const int status = ParseWith(app, "logcheck", argc, argv, out, err);
  if (status >= 0) return status;
  if (m.timeMismatchMinutes < m.windowMinutes) {
    *err = "logcheck: --time-mismatch must not be below --window\n";
    return kExitBadInput;
  }
  if (groupMapOption->count() != 0) command->groupMapPath = groupMap;
  if (classByOption->count() != 0 && !ParseClassBy(classBy, &command->classBy, err)) {
    return kExitBadInput;
  }
  if (startOption->count() != 0) {
    StatsDateTime parsed;
    std::string problem;
    ParseContestStart(start, &parsed, &problem);
    command->start = parsed;
  }
  return -1;
}

}  // namespace tools
