// logcheck: the contest committee's cross-check of every entrant's log.
// See tools/logcheck/check_cli.h for the usage.

#include <string>
#include <vector>

#include "platform/tools/command_line.h"
#include "tools/logcheck/check_cli.h"

int main(int argc, char** argv) {
  // File names travel in UTF-8 from here to the system calls.
  std::vector<std::string> arguments = platform::ProgramArguments(argc, argv);
  std::vector<char*> utf8Argv;
  for (std::string& argument : arguments) utf8Argv.push_back(&argument[0]);
  utf8Argv.push_back(nullptr);

  tools::CheckCommand command;
  std::string out;
  std::string err;
  int status = tools::ParseCheckCommandLine(static_cast<int>(arguments.size()), utf8Argv.data(),
                                            &command, &out, &err);
  if (status < 0) status = tools::RunCheck(command, &out, &err);
  platform::WriteText(stdout, out);
  platform::WriteText(stderr, err);
  return status;
}
