#include <windows.h>

#include <atomic>
#include <string>

#include "platform/folder_probe.h"

namespace platform {
namespace {

// The tools hand paths over as UTF-8.
std::wstring Wide(const std::string& utf8) {
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], length);
  return wide;
}

}  // namespace

bool CanCreateFileIn(const std::string& folder) {
  static std::atomic<unsigned> counter{0};
  const std::string prefix = (folder.empty() ? std::string(".") : folder) + "\\.probe.";
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string path =
        prefix + std::to_string(GetCurrentProcessId()) + "." + std::to_string(counter++) + ".tmp";
    const HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
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
