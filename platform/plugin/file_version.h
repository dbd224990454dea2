#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Version information of executables on disk.
class FileVersion {
 public:
  virtual ~FileVersion() = default;

  // True when `path` exists and can be opened for reading.
  virtual bool CanOpenForReading(const std::string& path) = 0;

  // The dwFileVersionMS and dwFileVersionLS words of the fixed file-version
  // block of the executable's version resource. False when the file is
  // missing, is not a PE image or has no version resource.
  virtual bool ReadFixedVersion(const std::string& path, uint32_t* ms, uint32_t* ls) = 0;
};

FileVersion& SystemFileVersion();

}  // namespace platform
