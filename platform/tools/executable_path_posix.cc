#include <unistd.h>

#include <string>
#include <vector>

#include "platform/tools/executable_path.h"

namespace platform {

std::string PathBesideExecutable(const std::string& fileName) {
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return fileName;
    if (static_cast<size_t>(length) < buffer.size()) {
      const std::string path(buffer.data(), static_cast<size_t>(length));
      const size_t slash = path.rfind('/');
      if (slash == std::string::npos) return fileName;
      return path.substr(0, slash + 1) + fileName;
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace platform
