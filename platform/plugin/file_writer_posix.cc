#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <string>

#include "platform/plugin/file_writer.h"
#include "platform/calls/posix_calls.h"
#include "platform/calls/system_instance.h"
#include "platform/plugin/temp_file_name.h"

namespace platform {
namespace {

// The folder part of `path` with its final '/', or "" for a bare name.
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

// Creates a new file beside `path`, named so that no one else picks the
// same name (a file or a link left there included), and opens it for
// writing with `mode` less the umask.
int CreateTempFile(const std::string& path, mode_t mode, std::string* tempPath) {
  static std::atomic<std::uint32_t> counter{0};
  const PosixCalls& sys = SystemCalls();
  for (int attempt = 0; attempt < 100; ++attempt) {
    *tempPath = TempFileNameBeside(path, "/", static_cast<std::uint32_t>(getpid()), counter++);
    const int fd = Restarting(
        [&] { return sys.open(tempPath->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode); });
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Only makes the rename survive a crash; see the header for why its
// failure is not reported.
void FlushFolderOf(const std::string& path) {
  const PosixCalls& sys = SystemCalls();
  std::string folder = FolderOf(path);
  if (folder.empty()) folder = ".";
  const int fd =
      Restarting([&] { return sys.open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0); });
  if (fd < 0) return;
  Restarting([&] { return sys.fsync(fd); });
  sys.close(fd);
}

class PosixFileWriter : public FileWriter {
 public:
  bool Replaces(const std::string& path) override {
    struct stat old;
    if (SystemCalls().stat(path.c_str(), &old) != 0) return errno == ENOENT;
    return S_ISREG(old.st_mode);
  }

  bool ReplaceWhole(const std::string& path, const std::string& bytes) override {
    const PosixCalls& sys = SystemCalls();
    struct stat old;
    const bool existed = sys.stat(path.c_str(), &old) == 0;
    if (!existed && errno != ENOENT) return false;
    // Only a regular file is replaced: a rename over a device, a pipe or a
    // socket would put a file in its place (as root, /dev/full).
    if (existed && !S_ISREG(old.st_mode)) return false;
    // Windows refuses to replace a read-only file, which rename() would do;
    // refused here as there, also for root.
    if (existed && (old.st_mode & S_IWUSR) == 0) return false;
    const mode_t mode = existed ? old.st_mode & 07777 : 0666;

    std::string tempPath;
    const int fd = CreateTempFile(path, mode & 0777, &tempPath);
    if (fd < 0) return false;
    // open() applied the umask to the old bits; fchmod() puts them back.
    bool ok = WriteAll(fd, bytes) && (!existed || sys.fchmod(fd, mode) == 0) &&
              Restarting([&] { return sys.fsync(fd); }) == 0;
    // close() is not restarted: Linux has released the descriptor even when
    // it reports EINTR, and a second close could hit another thread's file.
    ok = sys.close(fd) == 0 && ok;
    ok = ok && sys.rename(tempPath.c_str(), path.c_str()) == 0;
    if (!ok) {
      sys.unlink(tempPath.c_str());
      return false;
    }
    FlushFolderOf(path);
    return true;
  }
};

}  // namespace

FileWriter& SystemFileWriter() { return SystemInstance<PosixFileWriter>(); }

}  // namespace platform
