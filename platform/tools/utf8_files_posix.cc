#include "platform/tools/utf8_files.h"

namespace platform {

// File names are bytes here; the tools' UTF-8 goes through as it is.
std::FILE* OpenFileUtf8(const std::string& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

FileWriter& Utf8FileWriter() { return SystemFileWriter(); }

}  // namespace platform
