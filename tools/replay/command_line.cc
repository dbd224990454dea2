#include "tools/replay/command_line.h"

#include <CLI/CLI.hpp>

#include "tools/replay/replay_plan.h"
#include "tools/replay/replay_run.h"

namespace tools {

void TakesContestStart(CLI::Option* option) {
  option->check(CLI::Validator(
      [](std::string& text) {
        StatsDateTime parsed;
        std::string problem;
        return ParseContestStart(text, &parsed, &problem) ? std::string() : problem;
      },
      ""));
  option->type_name("\"YYYY-MM-DD HH\"");
}

int ParseWith(CLI::App& app, const char* program, int argc, const char* const* argv,
              std::string* out, std::string* err) {
  app.set_version_flag("--version", std::string(program) + " " + TOOLS_VERSION_TEXT,
                       "print the program's name and version and exit");
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    *out = app.help("", CLI::AppFormatMode::All);
    return kExitOk;
  } catch (const CLI::CallForVersion& e) {
    *out = std::string(e.what()) + "\n";
    return kExitOk;
  } catch (const CLI::ParseError& e) {
    *err = std::string(program) + ": " + e.what() + "\nRun with --help for more information.\n";
    return kExitBadInput;
  }
  return -1;
}

}  // namespace tools
