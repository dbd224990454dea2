#include "platform/plugin/temp_file_name.h"

#include <cstdio>

namespace platform {

std::string TempFileNameBeside(const std::string& path, const char* separators,
                               std::uint32_t processId, std::uint32_t number) {
  const std::size_t separator = path.find_last_of(separators);
  const std::size_t folderEnd = separator == std::string::npos ? 0 : separator + 1;
  char name[kTempFileNameLength + 1];
  std::snprintf(name, sizeof name, ".stats-%08lx-%08lx.tmp", static_cast<unsigned long>(processId),
                static_cast<unsigned long>(number));
  return path.substr(0, folderEnd) + name;
}

}  // namespace platform
