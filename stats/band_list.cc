#include "stats/band_list.h"

#include <algorithm>

bool BandList::Contains(const std::string& label) const {
  return std::find(m_labels.begin(), m_labels.end(), label) != m_labels.end();
}

void BandList::AddIfNew(const std::string& label) {
  if (!Contains(label)) m_labels.push_back(label);
}
