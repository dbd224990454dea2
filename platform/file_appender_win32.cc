#include <windows.h>

#include <cstdio>

#include "platform/file_appender.h"
#include "platform/system_instance.h"

namespace platform {
namespace {

// The C runtime's fopen opens a file without sharing restrictions, so
// another program can read it meanwhile; binary mode keeps CR LF as given.
bool OpenAndWrite(const std::string& path, const char* mode, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), mode);
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

class Win32FileAppender : public FileAppender {
 public:
  bool Create(const std::string& path, const std::string& bytes) override {
    return OpenAndWrite(path, "wb", bytes);
  }

  bool Append(const std::string& path, const std::string& bytes) override {
    return OpenAndWrite(path, "ab", bytes);
  }

  bool Exists(const std::string& path) override {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
};

}  // namespace

FileAppender& SystemFileAppender() { return SystemInstance<Win32FileAppender>(); }

}  // namespace platform
