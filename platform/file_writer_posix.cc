#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "platform/file_writer.h"

namespace platform {
namespace {

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

class PosixFileWriter : public FileWriter {
 public:
  bool ReplaceWhole(const std::string& path, const std::string& bytes) override {
    std::string pattern = path + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd < 0) return false;
    // mkstemp creates the file private to its owner; a log is an ordinary
    // file, readable as the umask allows.
    const mode_t mask = umask(0);
    umask(mask);
    bool ok = fchmod(fd, 0666 & ~mask) == 0 && WriteAll(fd, bytes) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && std::rename(name.data(), path.c_str()) == 0;
    if (!ok) unlink(name.data());
    return ok;
  }
};

}  // namespace

FileWriter& SystemFileWriter() {
  static PosixFileWriter writer;
  return writer;
}

}  // namespace platform
