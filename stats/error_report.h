#pragma once

#include <string>
#include <utility>

#include "platform/plugin/file_appender.h"

namespace stats {

// The error report: a text file of QSOs that ingest refused, one line each,
// every line ended by CR LF (written as bytes, the same on every system).
// Failures to open or write the file are ignored: the report is a courtesy,
// never a reason to change a result.
class ErrorReport {
 public:
  // `files` must outlive the report.
  ErrorReport(std::string path, platform::FileAppender& files)
      : m_path(std::move(path)), m_files(files) {}

  // Truncates or creates the file and writes the header line.
  void Start() const;
  // Appends `line` and CR LF, creating the file when it is missing. With a
  // null `line` it only makes sure the file exists: one look-up of the name
  // when it is there, and the file created empty when it is missing
  // (deleted since the last call, say).
  void Append(const std::string* line) const;

 private:
  std::string m_path;               // relative to the current directory
  platform::FileAppender& m_files;  // where the file is written
};

}  // namespace stats
