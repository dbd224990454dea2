#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>

#include "platform/tools/folder_probe.h"
#include "platform/calls/posix_calls.h"

namespace platform {

bool CanCreateFileIn(const std::string& folder) {
  static std::atomic<unsigned> counter{0};
  const PosixCalls& sys = SystemCalls();
  const std::string prefix = (folder.empty() ? std::string(".") : folder) + "/.probe.";
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string path =
        prefix + std::to_string(getpid()) + "." + std::to_string(counter++) + ".tmp";
    const int fd = Restarting(
        [&] { return sys.open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600); });
    if (fd >= 0) {
      sys.close(fd);
      sys.unlink(path.c_str());
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

}  // namespace platform
