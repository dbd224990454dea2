#include "stats/error_report.h"

#include "stats/contest_facts.h"

namespace stats {

void ErrorReport::Start() const {
  m_files.Create(m_path, std::string(kContestName) + " UBN file \r\n");
}

// Most QSOs are accepted, and looking the name up costs a fraction of
// opening and closing the file.
void ErrorReport::Append(const std::string* line) const {
  if (line == nullptr) {
    if (!m_files.Exists(m_path)) m_files.Append(m_path, std::string());
    return;
  }
  m_files.Append(m_path, *line + "\r\n");
}

}  // namespace stats
