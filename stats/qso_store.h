#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "stats/info.h"

// The contest store: accepted QSOs in order of arrival. Index 0 is the
// oldest; removal moves later records down one place. Searches report the
// lowest matching index, so the order of the store decides every answer.
class QsoStore {
 public:
  static constexpr std::ptrdiff_t kNotFound = -1;

  void Clear();
  std::size_t Count() const { return m_records.size(); }
  const CInfo& At(std::size_t index) const { return m_records[index]; }

  void Append(const CInfo& record);
  void RemoveAt(std::size_t index);

  // Writes the per-QSO results of a results request into a stored record.
  void SetResults(std::size_t index, int32_t points, int32_t multBand,
                  int32_t serial);

  // Lowest index of a record equal to `record`, or kNotFound.
  std::ptrdiff_t FindEqual(const CInfo& record) const;

  // Lowest index of a record with this call, mode and band, or kNotFound.
  std::ptrdiff_t FindCallModeBand(const std::string& call,
                                  const std::string& mode,
                                  const std::string& band) const;

 private:
  std::vector<CInfo> m_records;  // store order
};
