#include <windows.h>

#include <atomic>
#include <string>

#include "platform/tools/folder_probe.h"
#include "platform/calls/wide_text_win32.h"

namespace platform {

bool CanCreateFileIn(const std::string& folder) {
  static std::atomic<unsigned> counter{0};
  const std::string prefix = (folder.empty() ? std::string(".") : folder) + "\\.probe.";
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string path =
        prefix + std::to_string(GetCurrentProcessId()) + "." + std::to_string(counter++) + ".tmp";
    const HANDLE file =
        CreateFileW(WideFromUtf8(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      CloseHandle(file);
      return true;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  return false;
}

}  // namespace platform
