#pragma once

// Files named in UTF-8, as the tools name them on every system. On Windows
// these reach the system through its wide-character calls, so a name
// outside the ANSI code page (a log called журнал.adi) works; the plug-in's
// own file services keep the host's ANSI names.

#include <cstdio>
#include <string>

#include "platform/plugin/file_writer.h"

namespace platform {

// std::fopen for a UTF-8 name; null with errno set on failure.
std::FILE* OpenFileUtf8(const std::string& path, const char* mode);

// SystemFileWriter for UTF-8 names.
FileWriter& Utf8FileWriter();

}  // namespace platform
