#include <fcntl.h>
#include <sys/stat.h>

#include "platform/plugin/file_appender.h"
#include "platform/calls/posix_calls.h"
#include "platform/calls/system_instance.h"

namespace platform {
namespace {

// Mode 0666 lets the umask decide the bits of a new file, as the C
// runtime's fopen does.
bool OpenAndWrite(const std::string& path, int flags, const std::string& bytes) {
  const PosixCalls& sys = SystemCalls();
  const int fd = Restarting(
      [&] { return sys.open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | flags, 0666); });
  if (fd < 0) return false;
  const bool written = WriteAll(fd, bytes);
  return sys.close(fd) == 0 && written;
}

class PosixFileAppender : public FileAppender {
 public:
  bool Create(const std::string& path, const std::string& bytes) override {
    return OpenAndWrite(path, O_TRUNC, bytes);
  }

  bool Append(const std::string& path, const std::string& bytes) override {
    return OpenAndWrite(path, O_APPEND, bytes);
  }

  bool Exists(const std::string& path) override {
    struct stat info;
    return SystemCalls().stat(path.c_str(), &info) == 0;
  }
};

}  // namespace

FileAppender& SystemFileAppender() { return SystemInstance<PosixFileAppender>(); }

}  // namespace platform
