// logcheck: the contest committee's cross-check of every entrant's log.
// See tools/logcheck/check_cli.h for the usage.

#include <string>

#include "tools/logcheck/check_cli.h"
#include "tools/replay/run_program.h"

int main(int argc, char** argv) {
  return tools::RunProgram(
      argc, argv, [](int count, char** arguments, std::string* out, std::string* err) {
        tools::CheckCommand command;
        const int status = tools::ParseCheckCommandLine(count, arguments, &command, out, err);
        return status < 0 ? tools::RunCheck(command, out, err) : status;
      });
}
