#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "stats/store/id_sequence.h"

namespace stats {

// The ids of the stored records in store order, oldest first, and for each
// record a sequence number that grows with its place: a record's position
// is found from its id by a binary search over the sequence numbers. The
// numbers live with the records: `seqOf(id)` gives a reference to the
// uint32_t that keeps the number of record `id`.
class StoreOrder {
 public:
  // `seqLimit`: numbers stay below it; on reaching it the records are
  // numbered again from 0 in store order.
  explicit StoreOrder(uint32_t seqLimit = UINT32_MAX) : m_seqLimit(seqLimit) {}

  std::size_t Count() const { return m_ids.size(); }
  uint32_t operator[](std::size_t index) const { return m_ids[index]; }

  // Files `id` last. Constant, amortized.
  template <typename SeqOf>
  void Append(uint32_t id, SeqOf&& seqOf) {
    if (m_nextSeq == m_seqLimit) {
      m_nextSeq = 0;
      for (const uint32_t other : m_ids) seqOf(other) = m_nextSeq++;
    }
    seqOf(id) = m_nextSeq++;
    m_ids.push_back(id);
  }

  // Unfiles the record at `index`: moves the ids before or after it,
  // whichever are fewer.
  void Erase(std::size_t index) { m_ids.erase(index); }

  // The index of the filed record `id`: its sequence number while nothing
  // was erased since the last numbering, else a binary search over the ids
  // that reads the number of each id it visits.
  template <typename SeqOf>
  std::size_t PositionOf(uint32_t id, SeqOf&& seqOf) const {
    const uint32_t seq = seqOf(id);
    if (m_nextSeq == m_ids.size()) return seq;
    const uint32_t* found =
        std::lower_bound(m_ids.begin(), m_ids.end(), seq,
                         [&](uint32_t other, uint32_t s) { return seqOf(other) < s; });
    return static_cast<std::size_t>(found - m_ids.begin());
  }

  void Clear() {
    m_ids.clear();
    m_nextSeq = 0;
  }

 private:
  IdSequence m_ids;
  uint32_t m_nextSeq = 0;  // equals Count() until the first erasure
  uint32_t m_seqLimit;
};

}  // namespace stats
