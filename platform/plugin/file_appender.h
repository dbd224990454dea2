#pragma once

#include <string>

namespace platform {

// Files written in place and grown at their end, such as a report that
// another program may read while it grows. Nothing is flushed to disk, and a
// failure can leave part of the bytes written: a file that must stay whole
// goes through FileWriter instead. Paths are relative to the current
// directory; bytes are written without any translation.
class FileAppender {
 public:
  virtual ~FileAppender() = default;

  // Creates the file at `path`, or empties the one there, and writes
  // `bytes`. False when it could not be opened or not every byte was written.
  virtual bool Create(const std::string& path, const std::string& bytes) = 0;

  // Writes `bytes` after the end of the file at `path`, creating it when it
  // is missing; empty `bytes` only make sure the file exists. False as for
  // Create.
  virtual bool Append(const std::string& path, const std::string& bytes) = 0;

  // Whether a file or folder is at `path`. One look-up of the name that
  // opens nothing: a small fraction of the cost of Append.
  virtual bool Exists(const std::string& path) = 0;
};

// The implementation for this operating system.
FileAppender& SystemFileAppender();

}  // namespace platform
