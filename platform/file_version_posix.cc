#include "platform/file_version.h"

#include <sys/stat.h>
#include <sys/types.h>

#include <cstdio>

#include "platform/pe_version_reader.h"

namespace platform {
namespace {

class FileBytes : public ImageBytes {
 public:
  FileBytes(std::FILE* file, uint64_t size) : file_(file), size_(size) {}

  uint64_t Size() const override { return size_; }

  bool Read(uint64_t offset, size_t count, uint8_t* out) override {
    if (offset > size_ || count > size_ - offset) return false;
    return fseeko(file_, static_cast<off_t>(offset), SEEK_SET) == 0 &&
           std::fread(out, 1, count, file_) == count;
  }

 private:
  std::FILE* file_;
  uint64_t size_;
};

class PosixFileVersion : public FileVersion {
 public:
  bool CanOpenForReading(const std::string& path) override {
    std::FILE* file = OpenRegularFile(path);
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
  }

  bool ReadFixedVersion(const std::string& path, uint32_t* ms,
                        uint32_t* ls) override {
    std::FILE* file = OpenRegularFile(path);
    if (file == nullptr) return false;
    bool found = false;
    struct stat status;
    if (fstat(fileno(file), &status) == 0 && status.st_size > 0) {
      FileBytes image(file, static_cast<uint64_t>(status.st_size));
      found = ReadPeFixedVersion(image, ms, ls);
    }
    std::fclose(file);
    return found;
  }

 private:
  // Opens `path` for reading unless it names a directory, which POSIX opens
  // but Windows refuses.
  static std::FILE* OpenRegularFile(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return nullptr;
    struct stat status;
    if (fstat(fileno(file), &status) != 0 || S_ISDIR(status.st_mode)) {
      std::fclose(file);
      return nullptr;
    }
    return file;
  }
};

}  // namespace

FileVersion& SystemFileVersion() {
  static PosixFileVersion instance;
  return instance;
}

}  // namespace platform
