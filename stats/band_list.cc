#include "stats/band_list.h"

#include <algorithm>

namespace stats {

bool BandList::Contains(std::string_view label) const {
  if (m_labels.size() <= kFewLabels) {
    return std::find(m_labels.begin(), m_labels.end(), label) != m_labels.end();
  }
  return m_known.count(std::string(label)) != 0;
}

void BandList::AddIfNew(std::string_view label) {
  if (Contains(label)) return;
  m_labels.emplace_back(label);
  if (m_labels.size() > kFewLabels) {
    if (m_known.empty()) m_known.insert(m_labels.begin(), m_labels.end() - 1);
    m_known.insert(m_labels.back());
  }
}

}  // namespace stats
