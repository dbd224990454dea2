#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "stats/store/text_hash.h"

namespace stats {

// Distinct band labels of accepted QSOs, in first-seen order until a results
// request sorts them. Labels compare exactly (case-sensitive). Looking a
// label up costs a constant, however many labels there are: a few are
// compared one by one, more are looked up in a hash set.
class BandList {
 public:
  void Clear() {
    m_labels.clear();
    m_known.clear();
  }
  std::size_t Count() const { return m_labels.size(); }
  const std::string& At(std::size_t index) const { return m_labels[index]; }

  bool Contains(std::string_view label) const;
  // Appends `label` unless it is listed already.
  void AddIfNew(std::string_view label);
  void Swap(std::size_t i, std::size_t j) { m_labels[i].swap(m_labels[j]); }

 private:
  static constexpr std::size_t kFewLabels = 8;

  std::vector<std::string> m_labels;
  std::unordered_set<std::string, TextHasher> m_known;  // the labels, once past a few
};

}  // namespace stats
