#include "tools/logreplay/logreplay_cli.h"

#include <optional>

#include <CLI/CLI.hpp>

#include "tools/adif/adif_qso.h"
#include "tools/cabrillo_input/cabrillo_input.h"
#include "tools/replay/command_line.h"

namespace tools {
namespace {

constexpr char kExamples[] =
    "Examples:\n"
    "  logreplay score examples/sample.adi --group-field APP_UT_GROUP --own-group G3\n"
    "  logreplay score my.adi --start \"2026-12-19 12\" --own-call UT9ZZQ --cabrillo\n"
    "  logreplay score my.adi --report my.html      (files in my.stats/)\n"
    "  logreplay score my.cbr --group-map groups.txt --own-group G3\n"
    "\n"
    "LOG is a Cabrillo 3.0 log when its first line is START-OF-LOG:, whatever\n"
    "its name; an ADIF log otherwise.\n"
    "\n"
    "The plug-in writes err.txt, Plugins/TAVIN.ini and the Cabrillo log in the\n"
    "working folder (--work), as it does in the host's folder; logreplay\n"
    "replaces there only the files it wrote before. Exit status: 0 done,\n"
    "2 bad log or usage (a file logreplay did not write where the plug-in\n"
    "writes, an input the plug-in would write over, a --report path that\n"
    "would replace an input, the plug-in's files, a folder, a device or a\n"
    "file that is no report page without --force; nothing is written),\n"
    "3 plug-in missing, not loadable or lacking an export, 4 an output not\n"
    "written in full: err.txt, the Cabrillo log or the report page (the\n"
    "results are printed all the same).\n"
    "Warnings (QSOs outside the tours, records skipped, no group codes, a\n"
    "claimed score that differs) go to standard error, one line each, and are\n"
    "counted in the summary.\n"
    "\n"
    "How a Cabrillo log's QSO lines feed the plug-in:\n";

constexpr char kAdifTitle[] = "\nHow the log's ADIF fields feed the plug-in:\n";

std::string Describe(const std::string& what, const std::string& example) {
  return what + "\ne.g. " + example;
}

// The option `name` of `app` taking a value into `value`, which the help
// shows as `typeName`, described by Describe(what, example).
template <typename T>
CLI::Option* AddValueOption(CLI::App* app, const std::string& name, T& value,
                            const std::string& typeName, const std::string& what,
                            const std::string& example) {
  return app->add_option(name, value, Describe(what, example))->type_name(typeName);
}

// As AddValueOption, for a value that stays unset unless the option is given.
CLI::Option* AddGivenOption(CLI::App* app, const std::string& name,
                            std::optional<std::string>* given, const std::string& typeName,
                            const std::string& what, const std::string& example) {
  return app
      ->add_option_function<std::string>(
          name, [given](const std::string& value) { *given = value; }, Describe(what, example))
      ->type_name(typeName);
}

}  // namespace

int ParseCommandLine(int argc, const char* const* argv, CommandLine* line, std::string* out,
                     std::string* err) {
  CLI::App app(
      "Replays a contest log, ADIF or Cabrillo, through the Stats plug-in, as\n"
      "the host logging program does, and prints the plug-in's results.",
      "logreplay");
  app.footer(std::string(kExamples) + kCabrilloMappingTable + kAdifTitle + kAdifMappingTable);
  // Paths like /logs/a.adi are arguments, not Windows-style options.
  app.allow_windows_style_options(false);
  app.require_subcommand(1);

  ScoreCommand& score = line->score;
  CLI::App* scoreApp = app.add_subcommand(
      "score", "Reset the statistics, offer every QSO of LOG in time order\nand print the results");
  scoreApp->add_option("LOG", score.logPath, "ADIF (.adi) or Cabrillo (.cbr, .log) log to replay")
      ->required()
      ->type_name("");
  AddValueOption(scoreApp, "--plugin", score.pluginPath, "PATH",
                 std::string("plug-in library to load\n(default: ") + kPluginFileName +
                     " beside this program)",
                 "--plugin build/native/libStats.so");
  std::string start;
  CLI::Option* startOption =
      AddValueOption(scoreApp, "--start", start, "",
                     "contest start, UTC date and hour\n(default: the first QSO's date and hour)",
                     "--start \"2026-12-19 12\"");
  TakesContestStart(startOption);
  AddGivenOption(scoreApp, "--own-call", &score.replay.ownCall, "CALL",
                 "own callsign (default: STATION_CALLSIGN,\nelse OPERATOR, of the first "
                 "record;\nCabrillo: CALLSIGN:)",
                 "--own-call UT9ZZQ");
  AddGivenOption(scoreApp, "--own-mult", &score.replay.ownMultCode, "CODE",
                 "own multiplier code (default: the letters\nafter the digits of the first "
                 "QSO's sent\nexchange, KI for 001KI)",
                 "--own-mult KI");
  AddGivenOption(scoreApp, "--own-group", &score.replay.ownGroupCode, "CODE",
                 "own group code (default: empty;\nneeded with --group-field)", "--own-group G3");
  AddValueOption(scoreApp, "--mult-field", score.replay.fields.multField, "NAME",
                 "ADIF field with the worked station's\nmultiplier code (default: the letters "
                 "after\nthe digits of the received exchange)",
                 "--mult-field APP_UT_MULT");
  CLI::Option* groupFieldOption =
      AddValueOption(scoreApp, "--group-field", score.replay.fields.groupField, "NAME",
                     "ADIF field with the worked station's\ngroup code (default: none, all empty)",
                     "--group-field APP_UT_GROUP");
  CLI::Option* groupMapOption =
      AddGivenOption(scoreApp, "--group-map", &score.groupMapPath, "FILE",
                     "file of lines \"CODE GROUP\": each multiplier\ncode's group code, for "
                     "ADIF and Cabrillo\n(not with --group-field); the own group\nis the own "
                     "code's unless --own-group",
                     "--group-map groups.txt");
  groupMapOption->excludes(groupFieldOption);
  scoreApp->add_flag("--cabrillo", score.replay.cabrillo,
                     Describe("reset with the Cabrillo flag: the header\ndialog runs, and the "
                              "results request\nwrites the Cabrillo log (CALL.cbr)",
                              "--cabrillo"));
  AddGivenOption(scoreApp, "--report", &score.reportPath, "FILE.html",
                 "also write a page of the scored log:\nresults, band by tour, rate, "
                 "multipliers,\nrefused QSOs, repeats (implies --cabrillo)",
                 "--report ut9zzq.html");
  AddGivenOption(scoreApp, "--work", &score.workPath, "DIR",
                 "folder where the plug-in writes err.txt,\nPlugins/TAVIN.ini and the "
                 "Cabrillo log;\nmade when missing, kept between runs\n(default: LOG's "
                 "name less its extension,\nand .stats, in the current folder)",
                 "--work ut9zzq.stats");
  scoreApp->add_flag("--force", score.force,
                     Describe("let --report replace a file that is no\nreport page of "
                              "logreplay's",
                              "--force"));
  scoreApp->add_flag("--skip-bad", score.replay.skipBad,
                     Describe("skip records that cannot be mapped, with\na warning each, instead "
                              "of stopping",
                              "--skip-bad"));
  bool decorated = false;
  scoreApp->add_flag(
      "--decorated", decorated,
      Describe("resolve the exports by their decorated\nnames (Stats.dll only)", "--decorated"));

  CLI::App* dumpApp = app.add_subcommand("dump", "Print LOG's records as JSON lines");
  dumpApp->group("");
  dumpApp->add_option("LOG", score.logPath, "ADIF log (.adi)")->required()->type_name("");

  const int status = ParseWith(app, "logreplay", argc, argv, out, err);
  if (status >= 0) return status;

  line->command = dumpApp->parsed() ? CommandLine::kDump : CommandLine::kScore;
  if (line->command == CommandLine::kDump) return -1;
  if (decorated && !kDecoratedNamesExist) {
    *err = std::string(
               "logreplay: --decorated: only the 32-bit Windows plug-in Stats.dll "
               "carries decorated export names; ") +
           kPluginFileName + " has the plain names only\n";
    return kExitBadInput;
  }
  score.names = decorated ? ExportNames::kDecorated : ExportNames::kPlain;
  if (startOption->count() != 0) {
    StatsDateTime parsed;
    std::string problem;
    ParseContestStart(start, &parsed, &problem);
    score.replay.start = parsed;
  }
  return -1;
}

}  // namespace tools
