#include <windows.h>

#include "tests/host_file_name.h"

namespace testing_support {

std::string HostFileName(const std::filesystem::path& path) {
  const std::wstring wide = path.generic_wstring();
  if (wide.empty()) return std::string();
  const int length = static_cast<int>(wide.size());
  const int size =
      WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  std::string name(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), length, &name[0], size, nullptr, nullptr);
  return name;
}

}  // namespace testing_support
