#include <windows.h>

#include "platform/file_writer.h"
#include "platform/system_instance.h"

namespace platform {
namespace {

class Win32FileWriter : public FileWriter {
 public:
  bool ReplaceWhole(const std::string& path, const std::string& bytes) override {
    const std::string temp =
        path + ".tmp" + std::to_string(GetCurrentProcessId()) + "-" +
        std::to_string(GetTickCount());
    HANDLE file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < bytes.size()) {
      DWORD written = 0;
      const DWORD chunk = static_cast<DWORD>(
          bytes.size() - done > 1u << 20 ? 1u << 20 : bytes.size() - done);
      ok = WriteFile(file, bytes.data() + done, chunk, &written, nullptr) != FALSE &&
           written == chunk;
      done += written;
    }
    ok = ok && FlushFileBuffers(file) != FALSE;
    ok = CloseHandle(file) != FALSE && ok;
    // MoveFileEx replaces an existing file in one step, unlike the C
    // runtime's rename, which refuses when the target exists.
    ok = ok && MoveFileExA(temp.c_str(), path.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    if (!ok) DeleteFileA(temp.c_str());
    return ok;
  }
};

}  // namespace

FileWriter& SystemFileWriter() { return SystemInstance<Win32FileWriter>(); }

}  // namespace platform
