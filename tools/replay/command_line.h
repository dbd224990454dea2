#pragma once

// What the tools' command lines share, parsed with CLI11: the contest
// start option and the parse with --help and --version.

#include <string>

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace tools {

// Makes `option` take a contest start "YYYY-MM-DD HH" (ParseContestStart),
// refusing any other text with the parser's reason.
void TakesContestStart(CLI::Option* option);

// Parses `argv` with `app`, a command of `program`, adding --version ("NAME
// X.Y.Z", the project's version). Returns -1 when parsed; otherwise the exit
// status, with the help text or the version line in `out` (status 0) or the
// error in `err` (status kExitBadInput).
int ParseWith(CLI::App& app, const char* program, int argc, const char* const* argv,
              std::string* out, std::string* err);

}  // namespace tools
