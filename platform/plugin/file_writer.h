#pragma once

#include <string>

namespace platform {

// Writes whole files so that a failure loses nothing.
class FileWriter {
 public:
  virtual ~FileWriter() = default;

  // Replaces the file at `path` (relative to the current directory) with
  // `bytes`, written without any translation. The bytes go to a temporary
  // file beside it that is flushed to disk and then renamed over `path`, and
  // the folder is flushed so that the rename lasts too. A file that was
  // there keeps its permission bits (on Windows its hidden and system
  // attributes); a new one gets what the umask leaves. Only a regular file
  // is replaced: when `path` names a folder, a device, a pipe or a socket (a
  // symbolic link judged by what it points to), or a read-only file (without
  // the owner's write bit; on Windows with the read-only attribute), nothing
  // is written and the result is false. On any failure before the rename
  // the temporary file is removed, an existing file at `path` is left byte
  // for byte as it was, and the result is false. A failed flush of the
  // folder after the rename is not reported: the new file is whole either
  // way.
  virtual bool ReplaceWhole(const std::string& path, const std::string& bytes) = 0;

  // Whether `path` names what ReplaceWhole may put a file at: true for a
  // regular file (after links), read-only or not, or nothing yet, false for
  // a folder, a device, a pipe or a socket. Writes nothing.
  virtual bool Replaces(const std::string& path) = 0;
};

FileWriter& SystemFileWriter();

}  // namespace platform
