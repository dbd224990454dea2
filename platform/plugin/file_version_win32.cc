#include "platform/plugin/file_version.h"
#include "platform/calls/system_instance.h"
#include "platform/calls/win32_calls.h"

#include <windows.h>

#include <vector>

namespace platform {
namespace {

class Win32FileVersion : public FileVersion {
 public:
  bool CanOpenForReading(const std::string& path) override {
    // As the C runtime's fopen(path, "rb") opens a file.
    const Win32Calls& sys = SystemCalls();
    const HANDLE file =
        sys.createFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
    if (file == INVALID_HANDLE_VALUE) return false;
    sys.closeHandle(file);
    return true;
  }

  bool ReadFixedVersion(const std::string& path, uint32_t* ms, uint32_t* ls) override {
    DWORD ignored = 0;
    const Win32Calls& sys = SystemCalls();
    const DWORD size = sys.getFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return false;
    std::vector<unsigned char> block(size);
    if (!sys.getFileVersionInfoA(path.c_str(), 0, size, block.data())) {
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
