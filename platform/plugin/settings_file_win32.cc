#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/plugin/settings_file.h"
#include "platform/calls/system_instance.h"
#include "platform/calls/win32_calls.h"

namespace platform {
namespace {

// Windows strips only spaces from section and key arguments but every blank
// from the names in the file, so a name ending in a tab could be written and
// never found again: names are trimmed of every blank before the call.
std::string Trimmed(std::string_view s) { return std::string(TrimBlanks(s)); }

bool IsAbsolute(const std::string& path) {
  return (!path.empty() && (path[0] == '\\' || path[0] == '/')) ||
         (path.size() >= 2 && path[1] == ':');
}

// The profile functions look a name up in the Windows directory unless it is
// a full path, so a relative one is anchored at the current directory here.
std::string FullPath(const std::string& path) {
  if (IsAbsolute(path)) return path;
  DWORD size = GetCurrentDirectoryA(0, nullptr);
  if (size == 0) return path;
  std::string folder(size, '\0');
  DWORD length = GetCurrentDirectoryA(size, &folder[0]);
  if (length == 0 || length >= size) return path;
  folder.resize(length);
  if (folder.back() != '\\') folder += '\\';
  return folder + path;
}

class Win32SettingsFile : public SettingsFile {
 public:
  // A value that fills the buffer comes back cut to size-1 characters; Wine
  // cuts a quoted one to size-2. A result shorter than that is whole.
  std::string Read(const std::string& path, const std::string& section, const std::string& key,
                   const std::string& fallback) override {
    const std::string file = FullPath(path);
    const std::string sectionName = Trimmed(section);
    const std::string keyName = Trimmed(key);
    // Windows drops the fallback's trailing spaces; Wine keeps the first
    // character of one made of spaces only. Dropped here, they go on both.
    const std::string fallbackText = fallback.substr(0, fallback.find_last_not_of(' ') + 1);
    constexpr DWORD kMaxSize = 1u << 24;
    std::vector<char> buffer(256);
    for (;;) {
      const DWORD size = static_cast<DWORD>(buffer.size());
      const DWORD length = SystemCalls().getPrivateProfileStringA(
          sectionName.c_str(), keyName.c_str(), fallbackText.c_str(), buffer.data(), size,
          file.c_str());
      if (length + 2 < size || size >= kMaxSize) {
        return std::string(buffer.data(), length < size ? length : size - 1);
      }
      buffer.resize(buffer.size() * 2);
    }
  }

  bool Write(const std::string& path, const std::string& section, const std::string& key,
             const std::string& value) override {
    const std::string sectionName = Trimmed(section);
    const std::string keyName = Trimmed(key);
    if (!ValidSettingsNames(sectionName, keyName, value)) return false;
    // Wine drops leading blanks of a value and Windows keeps them; reading
    // drops them either way, so write the value without them everywhere.
    const std::string trimmed = Trimmed(value);
    return SystemCalls().writePrivateProfileStringA(sectionName.c_str(), keyName.c_str(),
                                                    trimmed.c_str(),
                                                    FullPath(path).c_str()) != FALSE;
  }
};

}  // namespace

SettingsFile& SystemSettingsFile() { return SystemInstance<Win32SettingsFile>(); }

}  // namespace platform
