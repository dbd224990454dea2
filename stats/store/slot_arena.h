#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace stats {

// Slots of T handed out by 32-bit id, in chunks of 1024 that never move: a
// slot keeps its address while it is in use. Freed ids are handed out again
// before new ones, so ids stay below the most slots in use at one time
// (Limit). A slot handed out keeps whatever it held last; its user fills it.
template <typename T>
class SlotArena {
 public:
  // An unused slot's id.
  uint32_t New() {
    if (!m_free.empty()) {
      const uint32_t id = m_free.back();
      m_free.pop_back();
      return id;
    }
    if ((m_limit >> kChunkBits) == m_chunks.size()) m_chunks.emplace_back(new T[kChunkSize]);
    return m_limit++;
  }
  // Takes back `id`, which New handed out and which is in use.
  void Free(uint32_t id) { m_free.push_back(id); }
  // Takes back every slot and keeps the chunks for the next log, which after
  // a reset comes right away.
  void Clear() {
    m_limit = 0;
    m_free.clear();
  }
  // Every id handed out since Clear is below it.
  uint32_t Limit() const { return m_limit; }

  T& operator[](uint32_t id) { return m_chunks[id >> kChunkBits][id & (kChunkSize - 1)]; }
  const T& operator[](uint32_t id) const {
    return m_chunks[id >> kChunkBits][id & (kChunkSize - 1)];
  }

 private:
  static constexpr unsigned kChunkBits = 10;
  static constexpr uint32_t kChunkSize = uint32_t{1} << kChunkBits;

  std::vector<std::unique_ptr<T[]>> m_chunks;
  uint32_t m_limit = 0;  // ids handed out since Clear, freed ones included
  std::vector<uint32_t> m_free;
};

}  // namespace stats
