#pragma once

// The command line of logreplay, parsed with CLI11:
//   logreplay score LOG [--plugin PATH] [--start "YYYY-MM-DD HH"]
//       [--own-call CALL] [--own-mult CODE] [--own-group CODE]
//       [--mult-field NAME] [--group-field NAME] [--cabrillo] [--skip-bad]
//       [--group-map FILE] [--report FILE.html] [--force] [--work DIR]
//       [--decorated]
//   logreplay --version
// and the hidden `logreplay dump LOG`, which prints the log's records as
// JSON lines (see adif_dump.h) for comparison with other ADIF readers.

#include <string>

#include "tools/logreplay/score_command.h"

namespace tools {

struct CommandLine {
  enum Command { kScore, kDump };
  Command command = kScore;
  ScoreCommand score;  // the log path and, for kScore, everything else
};

// Parses `argv`. Returns -1 when `line` is ready to run; otherwise the exit
// status, with the help text in `out` (status 0) or the error in `err`
// (status kExitBadInput).
int ParseCommandLine(int argc, const char* const* argv, CommandLine* line, std::string* out,
                     std::string* err);

}  // namespace tools
