#include <windows.h>

#include "platform/plugin/file_appender.h"
#include "platform/calls/system_instance.h"
#include "platform/calls/win32_calls.h"

namespace platform {
namespace {

// One open, one write, one close, each a single system call: under Wine
// every one of them is a round trip to the server. The file is shared for
// reading and writing, so another program can read it meanwhile. With
// FILE_APPEND_DATA alone every write goes to the current end of the file.
bool OpenAndWrite(const std::string& path, DWORD access, DWORD disposition,
                  const std::string& bytes) {
  const Win32Calls& sys = SystemCalls();
  const HANDLE file = sys.createFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      disposition, FILE_ATTRIBUTE_NORMAL);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool whole = bytes.empty() || (sys.writeFile(file, bytes.data(),
                                                     static_cast<DWORD>(bytes.size()), &written) &&
                                       written == bytes.size());
  return sys.closeHandle(file) && whole;
}

class Win32FileAppender : public FileAppender {
 public:
  bool Create(const std::string& path, const std::string& bytes) override {
    return OpenAndWrite(path, GENERIC_WRITE, CREATE_ALWAYS, bytes);
  }

  bool Append(const std::string& path, const std::string& bytes) override {
    return OpenAndWrite(path, FILE_APPEND_DATA, OPEN_ALWAYS, bytes);
  }

  bool Exists(const std::string& path) override {
    return SystemCalls().getFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
};

}  // namespace

FileAppender& SystemFileAppender() { return SystemInstance<Win32FileAppender>(); }

}  // namespace platform
