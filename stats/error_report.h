#pragma once

#include <string>

// The error report: a text file of QSOs that ingest refused, one line each,
// every line ended by CR LF (written as bytes, the same on every system).
// Failures to open or write the file are ignored: the report is a courtesy,
// never a reason to change a result.
class ErrorReport {
 public:
  explicit ErrorReport(std::string path) : m_path(std::move(path)) {}

  // Truncates or creates the file and writes the header line.
  void Start() const;
  // Creates the file when it is missing; appends `line` and CR LF unless
  // `line` is null.
  void Append(const std::string* line) const;

 private:
  std::string m_path;  // relative to the current directory
};
