#include "tools/logcheck/check_cli.h"

#include <CLI/CLI.hpp>

#include "tools/logreplay/logreplay_cli.h"
#include "tools/logreplay/replay_plan.h"
#include "tools/logreplay/score_command.h"

namespace tools {
namespace {

constexpr char kFooter[] =
    "Every Cabrillo log named, and every Cabrillo log in the folders named\n"
    "(not their subfolders), is checked against the others; files that are\n"
    "no Cabrillo log are passed over in folders and reported when named. A\n"
    "log whose CATEGORY- tags say CHECKLOG confirms others' QSOs and is not\n"
    "scored. Two logs of one call: the later wins, with a warning; later is\n"
    "the one whose last QSO is later, then whose file name sorts later.\n"
    "\n"
    "Verdicts: credited confirmed, time-mismatch, unconfirmed, unique;\n"
    "removed busted-call, busted-exchange, nil, band-mismatch, mode-mismatch,\n"
    "dupe, outside-contest. Each entrant's credited QSOs are replayed\n"
    "through the plug-in for the checked score, with the log's own call, its\n"
    "multiplier code (first sent exchange) and its group (--group-map);\n"
    "each QSO's points are the plug-in's, from its Cabrillo log of all QSOs.\n"
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

}  // namespace

int ParseCheckCommandLine(int argc, const char* const* argv, CheckCommand* command,
                          std::string* out, std::string* err) {
  CLI::App app(
      "Cross-checks the Cabrillo logs of a CQ UT CONTEST and scores each\n"
      "entrant's credited QSOs through the Stats plug-in.",
      "logcheck");
  app.footer(kFooter);
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
  if (startOption->count() != 0) {
    StatsDateTime parsed;
    std::string problem;
    ParseContestStart(start, &parsed, &problem);
    command->start = parsed;
  }
  return -1;
}

}  // namespace tools
