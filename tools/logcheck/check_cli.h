#pragma once

// The command line of logcheck, parsed with CLI11:
//   logcheck LOG_OR_FOLDER... --out DIR [--group-map FILE] [--plugin PATH]
//       [--start "YYYY-MM-DD HH"] [--window MIN] [--time-mismatch MIN]
//       [--clock-qsos N] [--clock-min MIN] [--clock-search MIN]
//       [--unconfirmed-logs N] [--majority-logs N] [--popular-logs N]
//       [--popular-window MIN] [--penalty N] [--class-by TAG,...]
//   logcheck --version

#include <string>

#include "tools/logcheck/check_command.h"

namespace tools {

// Parses `argv`. Returns -1 when `command` is ready to run; otherwise the
// exit status, with the help text in `out` (status 0) or the error in `err`
// (status 2).
int ParseCheckCommandLine(int argc, const char* const* argv, CheckCommand* command,
                          std::string* out, std::string* err);

}  // namespace tools
