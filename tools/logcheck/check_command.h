#pragma once

// `logcheck LOG_OR_FOLDER... --out DIR`: cross-checks a contest's Cabrillo
// logs, scores each entrant's credited QSOs through the plug-in's exports
// and writes the committee's files into DIR.

#include <optional>
#include <string>
#include <vector>

#include "plugin/stats_api.h"
#include "tools/host/plugin_exports.h"
#include "tools/logcheck/contest_input.h"
#include "tools/logcheck/log_match.h"

namespace tools {

struct CheckCommand {
  std::vector<std::string> inputs;  // logs and folders of logs
  std::string outPath;
  std::optional<std::string> groupMapPath;
  std::string pluginPath;  // empty: kPluginFileName beside the program
  ExportNames names = ExportNames::kPlain;
  std::optional<StatsDateTime> start;
  // The CATEGORY-... tags that make an entrant's class (InputOptions).
  std::vector<std::string> classBy = InputOptions().classBy;
  // The matcher's rules; startMinute is set from the contest's start.
  MatchOptions match;
  // Each busted call and nil costs this many times its points (0: removal
  // only).
  int penalty = 0;
};

// Runs the check. Returns the exit status as logreplay's: 0 done; 2 bad
// usage or input (a group map that cannot be read, a path that names
// nothing, no log to check, an --out that OwnedFolder refuses: a file, a
// folder holding files without logcheck's marker, a symbolic link in it, a
// file logcheck wrote there changed since), nothing written; 3 the plug-in
// cannot be used, nothing written; 4 an output not written in full, or a
// failure (an exception) on either thread, said in one line. The summary
// goes to `out`, a failure's message (one line) to `err`; warnings (logs
// skipped or replaced) and the progress line go straight to standard error.
// The plug-in works in DIR/plugin, which becomes the current folder while
// it scores; nobody is asked to answer its dialogs and notices there.
int RunCheck(const CheckCommand& command, std::string* out, std::string* err);

}  // namespace tools
