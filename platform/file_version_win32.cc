#include "platform/file_version.h"
#include "platform/system_instance.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace platform {
namespace {

class Win32FileVersion : public FileVersion {
 public:
  bool CanOpenForReading(const std::string& path) override {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
  }

  bool ReadFixedVersion(const std::string& path, uint32_t* ms, uint32_t* ls) override {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return false;
    std::vector<unsigned char> block(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) {
      return false;
    }
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\", &value, &length) || value == nullptr ||
        length < sizeof(VS_FIXEDFILEINFO)) {
      return false;
    }
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    if (fixed->dwSignature != VS_FFI_SIGNATURE) return false;
    *ms = fixed->dwFileVersionMS;
    *ls = fixed->dwFileVersionLS;
    return true;
  }
};

}  // namespace

FileVersion& SystemFileVersion() { return SystemInstance<Win32FileVersion>(); }

}  // namespace platform
