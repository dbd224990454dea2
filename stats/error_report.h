#pragma once

#include <filesystem>
#include <string>

// The error report: a text file of QSOs that ingest refused, one line each,
// every line ended by CR LF (written as bytes, the same on every system).
// Failures to open or write the file are ignored: the report is a courtesy,
// never a reason to change a result.
class ErrorReport {
 public:
  explicit ErrorReport(std::string path) : m_path(std::move(path)), m_fsPath(m_path) {}

  // Truncates or creates the file and writes the header line.
  void Start() const;
  // Appends `line` and CR LF, creating the file when it is missing. With a
  // null `line` it only makes sure the file exists: a file that is there is
  // not opened, one that is missing (deleted since the last call, say) is
  // created empty.
  void Append(const std::string* line) const;

 private:
  std::string m_path;              // relative to the current directory
  std::filesystem::path m_fsPath;  // the same
};
