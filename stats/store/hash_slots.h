#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace stats {

// An open-addressing hash table of 32-bit values filed under 32-bit hashes
// that the caller computes; several values may be filed under one hash.
// Lookups see only the values of the hash asked for (and any others that
// share its 32 bits), so the caller checks each against the real key. The
// table stays at most half full, so inserting, erasing and looking up cost
// a constant on average: usually one cache line.
class HashSlots {
 public:
  // Empties the table and keeps its memory.
  void Clear();
  std::size_t Count() const { return m_count; }

  // `value` must not be UINT32_MAX.
  void Insert(uint32_t hash, uint32_t value);
  // Unfiles `value`, which must be filed under `hash`.
  void Erase(uint32_t hash, uint32_t value);

  // Calls `visit(value)` for the values filed under `hash` until it returns
  // true. Returns whether it did.
  template <typename Visit>
  bool Any(uint32_t hash, Visit&& visit) const {
    if (m_count == 0) return false;
    for (std::size_t i = hash & Mask(); m_slots[i].value != kFree; i = (i + 1) & Mask()) {
      if (m_slots[i].hash == hash && visit(m_slots[i].value)) return true;
    }
    return false;
  }

 private:
  static constexpr uint32_t kFree = UINT32_MAX;

  struct Slot {
    uint32_t hash = 0;
    uint32_t value = kFree;
  };

  std::size_t Mask() const { return m_slots.size() - 1; }
  void Grow();

  std::vector<Slot> m_slots;  // size a power of 2, or empty
  std::size_t m_count = 0;
};

}  // namespace stats
