#include "platform/plugin/file_version.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

#include "platform/plugin/pe_version_reader.h"
#include "platform/calls/posix_calls.h"
#include "platform/calls/system_instance.h"

namespace platform {
namespace {

class FileBytes : public ImageBytes {
 public:
  FileBytes(int fd, uint64_t size) : m_fd(fd), m_size(size) {}

  uint64_t Size() const override { return m_size; }

  bool Read(uint64_t offset, size_t count, uint8_t* out) override {
    if (offset > m_size || count > m_size - offset) return false;
    const PosixCalls& sys = SystemCalls();
    size_t done = 0;
    while (done < count) {
      const ssize_t n = Restarting([&] {
        return sys.pread(m_fd, out + done, count - done, static_cast<off_t>(offset + done));
      });
      if (n <= 0) return false;
      done += static_cast<size_t>(n);
    }
    return true;
  }

 private:
  int m_fd;
  uint64_t m_size;
};

// An open file with its status, closed with the object.
class OpenFile {
 public:
  // Opens `path` for reading unless it names a directory, which POSIX opens
  // but Windows refuses.
  explicit OpenFile(const std::string& path) {
    const PosixCalls& sys = SystemCalls();
    m_fd = Restarting([&] { return sys.open(path.c_str(), O_RDONLY | O_CLOEXEC, 0); });
    if (m_fd >= 0 && (sys.fstat(m_fd, &m_status) != 0 || S_ISDIR(m_status.st_mode))) {
      sys.close(m_fd);
      m_fd = -1;
    }
  }
  ~OpenFile() {
    if (m_fd >= 0) SystemCalls().close(m_fd);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;

  bool IsOpen() const { return m_fd >= 0; }
  int Fd() const { return m_fd; }
  const struct stat& Status() const { return m_status; }

 private:
  int m_fd = -1;
  struct stat m_status {};
};

class PosixFileVersion : public FileVersion {
 public:
  bool CanOpenForReading(const std::string& path) override { return OpenFile(path).IsOpen(); }

  bool ReadFixedVersion(const std::string& path, uint32_t* ms, uint32_t* ls) override {
    OpenFile file(path);
    if (!file.IsOpen() || file.Status().st_size <= 0) return false;
    FileBytes image(file.Fd(), static_cast<uint64_t>(file.Status().st_size));
    return ReadPeFixedVersion(image, ms, ls);
  }
};

}  // namespace

FileVersion& SystemFileVersion() { return SystemInstance<PosixFileVersion>(); }

}  // namespace platform
