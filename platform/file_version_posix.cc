#include "platform/file_version.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

#include "platform/pe_version_reader.h"
#include "platform/posix_calls.h"

namespace platform {
namespace {

class FileBytes : public ImageBytes {
 public:
  FileBytes(int fd, uint64_t size) : fd_(fd), size_(size) {}

  uint64_t Size() const override { return size_; }

  bool Read(uint64_t offset, size_t count, uint8_t* out) override {
    if (offset > size_ || count > size_ - offset) return false;
    const PosixCalls& sys = SystemCalls();
    size_t done = 0;
    while (done < count) {
      const ssize_t n = Restarting([&] {
        return sys.pread(fd_, out + done, count - done, static_cast<off_t>(offset + done));
      });
      if (n <= 0) return false;
      done += static_cast<size_t>(n);
    }
    return true;
  }

 private:
  int fd_;
  uint64_t size_;
};

// An open file with its status, closed with the object.
class OpenFile {
 public:
  // Opens `path` for reading unless it names a directory, which POSIX opens
  // but Windows refuses.
  explicit OpenFile(const std::string& path) {
    const PosixCalls& sys = SystemCalls();
    fd_ = Restarting([&] { return sys.open(path.c_str(), O_RDONLY | O_CLOEXEC, 0); });
    if (fd_ >= 0 && (sys.fstat(fd_, &status_) != 0 || S_ISDIR(status_.st_mode))) {
      sys.close(fd_);
      fd_ = -1;
    }
  }
  ~OpenFile() {
    if (fd_ >= 0) SystemCalls().close(fd_);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  const struct stat& status() const { return status_; }

 private:
  int fd_ = -1;
  struct stat status_ {};
};

class PosixFileVersion : public FileVersion {
 public:
  bool CanOpenForReading(const std::string& path) override { return OpenFile(path).IsOpen(); }

  bool ReadFixedVersion(const std::string& path, uint32_t* ms,
                        uint32_t* ls) override {
    OpenFile file(path);
    if (!file.IsOpen() || file.status().st_size <= 0) return false;
    FileBytes image(file.fd(), static_cast<uint64_t>(file.status().st_size));
    return ReadPeFixedVersion(image, ms, ls);
  }
};

}  // namespace

FileVersion& SystemFileVersion() {
  static PosixFileVersion instance;
  return instance;
}

}  // namespace platform
