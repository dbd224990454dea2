#pragma once

// The main of a command-line tool, written once: logreplay and logcheck.

#include <cstdio>
#include <string>
#include <vector>

#include "platform/tools/command_line.h"

namespace tools {

// Runs `command(argc, argv, &out, &err)` on the program's arguments in UTF-8
// (platform::ProgramArguments), then writes `out` to standard output and
// `err` to standard error. Returns the command's exit status.
template <typename Command>
int RunProgram(int argc, char** argv, Command command) {
  // File names travel in UTF-8 from here to the system calls.
  std::vector<std::string> arguments = platform::ProgramArguments(argc, argv);
  std::vector<char*> utf8Argv;
  for (std::string& argument : arguments) utf8Argv.push_back(&argument[0]);
  utf8Argv.push_back(nullptr);
  std::string out;
  std::string err;
  const int status = command(static_cast<int>(arguments.size()), utf8Argv.data(), &out, &err);
  platform::WriteText(stdout, out);
  platform::WriteText(stderr, err);
  return status;
}

}  // namespace tools
