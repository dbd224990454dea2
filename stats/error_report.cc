#include "stats/error_report.h"

#include <cstdio>

namespace {

void WriteLine(std::FILE* file, const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), file);
  std::fwrite("\r\n", 1, 2, file);
}

}  // namespace

// Binary mode keeps CR LF exact on every system; the runtime opens the file
// without sharing restrictions, so another program may read it meanwhile.
void ErrorReport::Start() const {
  std::FILE* file = std::fopen(m_path.c_str(), "wb");
  if (file == nullptr) return;
  WriteLine(file, "CQ UT CONTEST UBN file ");
  std::fclose(file);
}

// Looking the name up costs a fraction of opening and closing the file,
// and most QSOs are accepted.
void ErrorReport::Append(const std::string* line) const {
  if (line == nullptr) {
    std::error_code error;
    if (std::filesystem::exists(m_fsPath, error)) return;
  }
  std::FILE* file = std::fopen(m_path.c_str(), "ab");
  if (file == nullptr) return;
  if (line != nullptr) WriteLine(file, *line);
  std::fclose(file);
}
