#pragma once

// The folder logreplay owns for a replay: the plug-in writes err.txt,
// Plugins/TAVIN.ini and its Cabrillo log there, as into the host's folder,
// so that no file of the user's stands where the plug-in writes. The folder
// keeps a record of the files logreplay let the plug-in write
// (kWrittenRecordName), so that a later replay replaces those and refuses
// any other file it finds at their names.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace tools {

// The record's name in the working folder.
extern const char kWrittenRecordName[];

// FNV-1a 64's hash of no bytes.
constexpr uint64_t kFnvOffsetBasis = 14695981039346656037ull;

// What a file held when a tool wrote it, to tell later whether someone
// changed it since: its size and the FNV-1a 64 hash of its bytes.
struct FileMark {
  uintmax_t size = 0;
  uint64_t hash = kFnvOffsetBasis;

  // Takes the file's next `count` bytes.
  void Add(const void* bytes, size_t count);
  bool operator==(const FileMark& other) const { return size == other.size && hash == other.hash; }
  bool operator!=(const FileMark& other) const { return !(*this == other); }
};

// The mark of the regular file at `path`, never followed through a link;
// false when it is no regular file or cannot be read whole.
bool MarkOfFile(const std::string& path, FileMark* mark);

// A line of a record of marked files, without its line end: the size in
// decimal, the hash in 16 lower-case hex digits and the name, one blank
// apart.
std::string MarkLine(const FileMark& mark, const std::string& name);

// Reads a line MarkLine wrote; false when `line` has another form.
bool ReadMarkLine(const std::string& line, FileMark* mark, std::string* name);

// The default working folder of a log: its file name without the last
// extension and ".stats", in the current folder ("logs/UT7QF.cbr" gives
// "UT7QF.stats").
std::string DefaultWorkingFolder(const std::string& logPath);

class WorkingFolder {
 public:
  // Reads the folder at `path` (relative to the current folder, or
  // absolute) and its record when there is one. A folder that is missing
  // is fine: Create makes it. False, with `problem` in a few words, when
  // `path` is empty, names something other than a folder, or the record
  // cannot be read.
  bool Open(const std::string& path, std::string* problem);

  // The folder's absolute path, in the system's form.
  const std::string& Path() const { return m_path; }

  // The absolute path of `name` (relative, '/'-separated) in the folder,
  // in the system's form.
  std::string PathOf(const std::string& name) const;

  // The first of `names` that is in the folder as a file that logreplay
  // did not write (missing from the record, or changed since); empty when
  // there is none. Folders and other kinds are not judged here: the
  // plug-in reports what it cannot write.
  std::string ForeignFile(const std::vector<std::string>& names) const;

  // Makes the folder and its Plugins folder, where the plug-in keeps its
  // settings. False with `problem` when they cannot be made.
  bool Create(std::string* problem) const;

  // Notes the state of each of `names` that is a file now as written by
  // logreplay, and writes the record whole. False with `problem` when the
  // record cannot be written.
  bool Remember(const std::vector<std::string>& names, std::string* problem);

 private:
  std::string m_path;
  std::map<std::string, FileMark> m_written;  // by name in the folder
};

// Makes `path` the current folder while it lives, then the one before.
class CurrentFolderChange {
 public:
  explicit CurrentFolderChange(const std::string& path);
  ~CurrentFolderChange();
  CurrentFolderChange(const CurrentFolderChange&) = delete;
  CurrentFolderChange& operator=(const CurrentFolderChange&) = delete;

  // False when `path` could not be made the current folder.
  bool Changed() const { return m_changed; }

 private:
  std::filesystem::path m_before;
  bool m_changed = false;
};

}  // namespace tools
