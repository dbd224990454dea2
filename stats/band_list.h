#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Distinct band labels of accepted QSOs, in first-seen order until a results
// request sorts them. Labels compare exactly (case-sensitive).
class BandList {
 public:
  void Clear() { m_labels.clear(); }
  std::size_t Count() const { return m_labels.size(); }
  const std::string& At(std::size_t index) const { return m_labels[index]; }

  bool Contains(const std::string& label) const;
  // Appends `label` unless it is listed already.
  void AddIfNew(const std::string& label);
  void Swap(std::size_t i, std::size_t j) { m_labels[i].swap(m_labels[j]); }

 private:
  std::vector<std::string> m_labels;
};
