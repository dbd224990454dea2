#include "stats/store/hash_slots.h"

#include <algorithm>

namespace stats {

// The table keeps its size: the next log is usually as large.
void HashSlots::Clear() {
  std::fill(m_slots.begin(), m_slots.end(), Slot());
  m_count = 0;
}

void HashSlots::Insert(uint32_t hash, uint32_t value) {
  if (2 * (m_count + 1) > m_slots.size()) Grow();
  std::size_t i = hash & Mask();
  while (m_slots[i].value != kFree) i = (i + 1) & Mask();
  m_slots[i].hash = hash;
  m_slots[i].value = value;
  ++m_count;
}

// Deletion by moving back the later entries of the run that may not stay
// behind the hole (linear probing has no tombstones).
void HashSlots::Erase(uint32_t hash, uint32_t value) {
  std::size_t i = hash & Mask();
  while (!(m_slots[i].hash == hash && m_slots[i].value == value)) i = (i + 1) & Mask();
  for (std::size_t j = i;;) {
    j = (j + 1) & Mask();
    if (m_slots[j].value == kFree) break;
    const std::size_t home = m_slots[j].hash & Mask();
    const bool stays = i < j ? (i < home && home <= j) : (i < home || home <= j);
    if (!stays) {
      m_slots[i] = m_slots[j];
      i = j;
    }
  }
  m_slots[i] = Slot();
  --m_count;
}

void HashSlots::Grow() {
  std::vector<Slot> old(m_slots.empty() ? 16 : 2 * m_slots.size());
  old.swap(m_slots);
  for (const Slot& slot : old) {
    if (slot.value == kFree) continue;
    std::size_t i = slot.hash & Mask();
    while (m_slots[i].value != kFree) i = (i + 1) & Mask();
    m_slots[i] = slot;
  }
}

}  // namespace stats
