#pragma once

#include <string>

namespace platform {

// Writes whole files so that a failure loses nothing.
class FileWriter {
 public:
  virtual ~FileWriter() = default;

  // Replaces the file at `path` (relative to the current directory) with
  // `bytes`, written without any translation. The bytes go to a temporary
  // file beside it that is flushed to disk and then renamed over `path`; on
  // any failure the temporary file is removed, an existing file at `path`
  // is left as it was, and the result is false.
  virtual bool ReplaceWhole(const std::string& path, const std::string& bytes) = 0;
};

FileWriter& SystemFileWriter();

}  // namespace platform
