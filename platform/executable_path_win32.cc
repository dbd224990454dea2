#include <windows.h>

#include <string>
#include <vector>

#include "platform/executable_path.h"

namespace platform {

std::string PathBesideExecutable(const std::string& fileName) {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return fileName;
    // A full buffer means the path was cut short.
    if (length < buffer.size()) {
      const std::string path(buffer.data(), length);
      const size_t separator = path.find_last_of("\\/");
      if (separator == std::string::npos) return fileName;
      return path.substr(0, separator + 1) + fileName;
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace platform
