// logreplay: stands in for the host logging program to drive the Stats
// plug-in from the command line. See tools/logreplay/logreplay_cli.h for the usage.

#include <cstdio>
#include <string>
#include <vector>

#include "platform/tools/command_line.h"
#include "tools/logreplay/adif_dump.h"
#include "tools/logreplay/logreplay_cli.h"
#include "tools/logreplay/score_command.h"

int main(int argc, char** argv) {
  // File names travel in UTF-8 from here to the system calls.
  std::vector<std::string> arguments = platform::ProgramArguments(argc, argv);
  std::vector<char*> utf8Argv;
  for (std::string& argument : arguments) utf8Argv.push_back(&argument[0]);
  utf8Argv.push_back(nullptr);

  tools::CommandLine line;
  std::string out;
  std::string err;
  int status = tools::ParseCommandLine(static_cast<int>(arguments.size()), utf8Argv.data(), &line,
                                       &out, &err);
  if (status < 0 && line.command == tools::CommandLine::kDump) {
    status = tools::RunDump(line.score.logPath, &out, &err);
  } else if (status < 0) {
    status = tools::RunScore(line.score, &out, &err);
  }
  platform::WriteText(stdout, out);
  platform::WriteText(stderr, err);
  return status;
}
