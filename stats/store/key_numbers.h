#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "stats/store/hash_slots.h"

namespace stats {

// Small numbers for the distinct 64-bit keys in use: equal keys share a
// number, different keys never do. Each holder of a number acquires it and
// releases it once; when the last holder releases it, the number becomes
// free for another key. Numbers stay below Limit(), which grows with the
// most keys in use at one time. Every operation costs a constant on average.
class KeyNumbers {
 public:
  static constexpr uint32_t kNone = UINT32_MAX;

  void Clear();
  // The number of `key`, held once more.
  uint32_t Acquire(uint64_t key);
  // The same, trying `guess` first: the number the key had lately.
  uint32_t AcquireLike(uint64_t key, uint32_t guess) {
    if (guess < m_keys.size() && m_holders[guess] != 0 && m_keys[guess] == key) {
      ++m_holders[guess];
      return guess;
    }
    return Acquire(key);
  }
  // Lets go of one holding of `number`.
  void Release(uint32_t number);
  // The number of `key`, or kNone when no one holds it.
  uint32_t Find(uint64_t key) const;
  std::size_t Limit() const { return m_keys.size(); }

  // A key made of two 32-bit numbers.
  static uint64_t Pair(uint32_t high, uint32_t low) { return uint64_t{high} << 32 | low; }

 private:
  static uint32_t HashOf(uint64_t key);
  uint32_t Find(uint64_t key, uint32_t hash) const;

  HashSlots m_index;                // numbers by the hash of their key
  std::vector<uint64_t> m_keys;     // by number
  std::vector<uint32_t> m_holders;  // by number; 0: free
  std::vector<uint32_t> m_free;
};

}  // namespace stats
