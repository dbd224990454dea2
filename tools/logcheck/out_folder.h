#pragma once

// logcheck's --out folder: what an earlier run left there, checked before
// anything is replaced, and the files of this run written with their marks
// into the marker (kLogcheckMarkerName), so that the next run replaces
// only what logcheck wrote, unchanged.

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tools/replay/working_folder.h"

namespace tools {

// The marker's name in the --out folder. Each line after the title holds a
// file logcheck wrote: size, FNV-1a hash and name (MarkLine); a marker of
// logcheck 1.2 holds the names alone.
extern const char kLogcheckMarkerName[];

// The folders logcheck makes in --out: the reports, and the plug-in's
// working folder.
constexpr char kOutReportsFolder[] = "reports";
constexpr char kOutPluginFolder[] = "plugin";

// Whether `name` is a path inside a folder, as the marker lists one: parts
// separated by '/', none of them empty, "." or "..", and no '\' or ':' (no
// absolute path, no drive, no other separator).
bool IsPlainRelativeName(const std::string& name);

// The files an earlier run listed in the marker of `folder` that may be
// replaced: those still as logcheck wrote them. False with `problem` (a few
// words after the folder's path) when the folder cannot be written safely:
// it is a file; it holds files but no marker; a symbolic link stands
// anywhere in it; a listed file is no longer a regular file or has changed
// since (its mark differs; for a name without a mark, it was written after
// the marker). A missing folder, or a missing listed file, is fine. Lines
// that name no plain relative name (IsPlainRelativeName) list nothing.
bool OwnedFolder(const std::filesystem::path& folder, std::vector<std::string>* listed,
                 std::string* problem);

class OutFolder {
 public:
  explicit OutFolder(std::filesystem::path root) : m_root(std::move(root)) {}

  // The outputs are written in place, without a flush to the disk each:
  // thousands of reports, each flushed, took most of a large contest's
  // run, and the folder is logcheck's own, its marker written last.
  bool Write(const std::string& name, const std::string& bytes) {
    List(name);
    return WriteListed(name, bytes);
  }
  // Lists `name` for WriteListed. Not safe on two threads.
  void List(const std::string& name) { m_marks[name]; }
  // Writes a file listed before; safe on two threads at once for two names.
  bool WriteListed(const std::string& name, const std::string& bytes) {
    return WriteListedParts(name, bytes, 0, [](size_t) { return std::string(); });
  }
  // A file written in parts: `part(i)` for i from 0 to `count` - 1, after
  // `head`, so that no whole copy of a large file is held.
  template <typename Part>
  bool WriteParts(const std::string& name, const std::string& head, size_t count, Part part) {
    List(name);
    return WriteListedParts(name, head, count, part);
  }
  template <typename Part>
  bool WriteListedParts(const std::string& name, const std::string& head, size_t count, Part part) {
    Written& written = m_marks.at(name);
    written = Written();
    std::FILE* file = Open(name);
    if (file == nullptr) return false;
    bool whole = Put(file, head, &written.mark);
    for (size_t i = 0; whole && i < count; ++i) whole = Put(file, part(i), &written.mark);
    written.whole = std::fclose(file) == 0 && whole;
    return written.whole;
  }
  // Replaces the marker with the files written whole so far and the
  // plug-in's own files (plugin/err.txt, plugin/Plugins/TAVIN.ini) as they
  // are now. False when it cannot be written.
  bool WriteMarker() const;

 private:
  struct Written {
    FileMark mark;
    bool whole = false;
  };
  std::FILE* Open(const std::string& name) const;
  static bool Put(std::FILE* file, const std::string& bytes, FileMark* mark);

  std::filesystem::path m_root;
  std::map<std::string, Written> m_marks;  // by name in the folder
};

}  // namespace tools
