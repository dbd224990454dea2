// logreplay: stands in for the host logging program to drive the Stats
// plug-in from the command line. See tools/logreplay_cli.h for the usage.

#include <cstdio>
#include <string>

#include "tools/adif_dump.h"
#include "tools/logreplay_cli.h"
#include "tools/score_command.h"

namespace {

void Print(const std::string& text, FILE* stream) {
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fflush(stream);
}

}  // namespace

int main(int argc, char** argv) {
  tools::CommandLine line;
  std::string out;
  std::string err;
  int status = tools::ParseCommandLine(argc, argv, &line, &out, &err);
  if (status < 0 && line.command == tools::CommandLine::kDump) {
    status = tools::RunDump(line.score.logPath, &out, &err);
  } else if (status < 0) {
    status = tools::RunScore(line.score, &out, &err);
  }
  Print(out, stdout);
  Print(err, stderr);
  return status;
}
