// logreplay: stands in for the host logging program to drive the Stats
// plug-in from the command line. See tools/logreplay/logreplay_cli.h for the usage.

#include <string>

#include "tools/logreplay/adif_dump.h"
#include "tools/logreplay/logreplay_cli.h"
#include "tools/replay/run_program.h"
#include "tools/logreplay/score_command.h"

int main(int argc, char** argv) {
  return tools::RunProgram(
      argc, argv, [](int count, char** arguments, std::string* out, std::string* err) {
        tools::CommandLine line;
        const int status = tools::ParseCommandLine(count, arguments, &line, out, err);
        if (status >= 0) return status;
        return line.command == tools::CommandLine::kDump
                   ? tools::RunDump(line.score.logPath, out, err)
                   : tools::RunScore(line.score, out, err);
      });
}
