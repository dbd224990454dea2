#pragma once

#include <cstdint>

#include "stats/store/hash_slots.h"
#include "stats/store/record_codec.h"

namespace stats {

// The ids of stored records that can equal another (StoredRecord::CanBeEqual),
// filed under a hash of the fields that tell QSOs apart, for the duplicate
// rule: a lookup visits the few records that may equal the one asked for,
// and the caller compares each with SameAs. Records that can equal none are
// not filed. Every operation costs a constant on average.
class DuplicateIndex {
 public:
  void Clear() { m_slots.Clear(); }

  void Insert(uint32_t id, const StoredRecord& record) {
    if (record.CanBeEqual()) m_slots.Insert(KeyOf(record), id);
  }
  // Files `id` unless `isEqual(otherId)` holds for a filed record that may
  // equal `record`. Returns whether it filed it.
  template <typename IsEqual>
  bool InsertIfNew(uint32_t id, const StoredRecord& record, IsEqual&& isEqual) {
    if (!record.CanBeEqual()) return true;
    const uint32_t key = KeyOf(record);
    if (m_slots.Any(key, isEqual)) return false;
    m_slots.Insert(key, id);
    return true;
  }
  // Unfiles `id`, filed with `record` as it is now.
  void Erase(uint32_t id, const StoredRecord& record) {
    if (record.CanBeEqual()) m_slots.Erase(KeyOf(record), id);
  }

  // Calls `visit(id)` for the filed records that may equal `record` until
  // it returns true. Returns whether it did.
  template <typename Visit>
  bool Any(const StoredRecord& record, Visit&& visit) const {
    return record.CanBeEqual() && m_slots.Any(KeyOf(record), visit);
  }

 private:
  static uint32_t KeyOf(const StoredRecord& record);

  HashSlots m_slots;
};

}  // namespace stats
