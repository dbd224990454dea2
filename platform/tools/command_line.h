#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace platform {

// The program's arguments, the program's name first, in UTF-8 on Windows:
// read again from the wide command line, since `argv` holds them in the
// ANSI code page, where a name outside it turns into question marks.
// Elsewhere `argv` as given.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Writes `text` (UTF-8) to `stream` (stdout or stderr) and flushes it. A
// Windows console gets it as UTF-16, so that it shows any name; files and
// pipes get the bytes unchanged.
void WriteText(std::FILE* stream, const std::string& text);

}  // namespace platform
