#pragma once

// Checks an output path of logreplay before anything is replayed, so that
// no file of the user's is replaced by surprise, and remembers the state of
// the files the plug-in writes, to tell afterwards whether it wrote them.

#include <cstdint>
#include <string>
#include <vector>

namespace tools {

// A file an output must not replace, and what it is to the user.
struct GuardedFile {
  std::string path;  // relative to the current directory, or absolute
  std::string what;  // "the input log"
};

// Empty when `path` may take a new file written whole; else why not, in a
// few words ("is a folder"). `path` must not be empty, must name a regular
// file or nothing yet (a symbolic link is judged by what it points to; one
// that points nowhere is refused), must not be one of `guarded` (the same
// file under another name or through a link included), and its folder must
// exist and take new files.
std::string OutputPathProblem(const std::string& path, const std::vector<GuardedFile>& guarded);

// Whether `a` and `b` name one file: the same file when both exist (hard
// and symbolic links included), else the same absolute path, letters in
// any case as a Windows file system compares them.
bool SameFilePath(const std::string& a, const std::string& b);

// The path to write for `path`: the file a symbolic link points to, so that
// the link stays; `path` itself otherwise.
std::string OutputTarget(const std::string& path);

// What a file was at one moment, to see whether someone wrote it since.
struct FileState {
  bool exists = false;
  int64_t writeTime = 0;  // in the file system's own ticks
  uintmax_t size = 0;

  static FileState Of(const std::string& path);
  bool operator==(const FileState& other) const {
    return exists == other.exists && writeTime == other.writeTime && size == other.size;
  }
  bool operator!=(const FileState& other) const { return !(*this == other); }
};

// Whether the file at `path` is a report page logreplay wrote.
bool IsReportPage(const std::string& path);

}  // namespace tools
