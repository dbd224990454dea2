#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "stats/hash_slots.h"

namespace stats {

// Small numbers for the distinct texts in use: equal texts share a number,
// different texts never do. Each holder of a number acquires it and releases
// it once; when the last holder releases it, the number becomes free for
// another text. Numbers stay below Limit(), which grows with the most texts
// in use at one time. Every operation costs a constant on average.
class TextNumbers {
 public:
  static constexpr uint32_t kNone = UINT32_MAX;

  void Clear();
  // The number of `text`, held once more.
  uint32_t Acquire(const std::string& text);
  // Lets go of one holding of `number`.
  void Release(uint32_t number);
  // The number of `text`, or kNone when no one holds it.
  uint32_t Find(const std::string& text) const;
  std::size_t Limit() const { return m_texts.size(); }

 private:
  static uint32_t HashOf(const std::string& text);
  uint32_t Find(const std::string& text, uint32_t hash) const;

  HashSlots m_index;                 // numbers by the hash of their text
  std::vector<std::string> m_texts;  // by number
  std::vector<uint32_t> m_holders;   // by number; 0: free
  std::vector<uint32_t> m_free;
};

}  // namespace stats
