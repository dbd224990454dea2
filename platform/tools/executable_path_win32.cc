#include <windows.h>

#include <string>
#include <vector>

#include "platform/tools/executable_path.h"
#include "platform/calls/wide_text_win32.h"

namespace platform {

// The wide call: the ANSI one turns a folder named outside the ANSI code
// page into question marks.
std::string PathBesideExecutable(const std::string& fileName) {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return fileName;
    // A full buffer means the path was cut short.
    if (length < buffer.size()) {
      const std::string path = Utf8FromWide(buffer.data(), length);
      const size_t separator = path.find_last_of("\\/");
      if (separator == std::string::npos) return fileName;
      return path.substr(0, separator + 1) + fileName;
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace platform
