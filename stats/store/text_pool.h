#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "stats/store/hash_slots.h"

namespace stats {

// Whether the first and the last `Word` of two texts of `n` bytes agree
// (n at least the size of a Word; the two may overlap).
template <typename Word>
bool SameEnds(const char* p, const char* q, std::size_t n) {
  Word x, y, u, v;
  std::memcpy(&x, p, sizeof x);
  std::memcpy(&y, q, sizeof y);
  std::memcpy(&u, p + n - sizeof u, sizeof u);
  std::memcpy(&v, q + n - sizeof v, sizeof v);
  return x == y && u == v;
}

// Whether two texts have the same bytes; for the short texts of a QSO it
// compares a word or two in place instead of calling memcmp.
inline bool SameBytes(std::string_view a, std::string_view b) {
  const std::size_t n = a.size();
  if (n != b.size()) return false;
  const char* p = a.data();
  const char* q = b.data();
  if (n >= 8) {
    return SameEnds<uint64_t>(p, q, n) && (n <= 16 || std::memcmp(p + 8, q + 8, n - 16) == 0);
  }
  if (n >= 4) return SameEnds<uint32_t>(p, q, n);
  for (std::size_t i = 0; i < n; ++i) {
    if (p[i] != q[i]) return false;
  }
  return true;
}

// Every distinct text handed in, kept once, under a small number: equal texts
// get the same number, different texts never do (bytes compared exactly, so
// case, trailing blanks and bytes above 127 all tell texts apart). Number 0
// is the empty text. Texts stay until Clear, which keeps the memory for the
// next log. Interning and finding cost a constant on average.
class TextPool {
 public:
  static constexpr uint32_t kEmpty = 0;
  static constexpr uint32_t kNone = UINT32_MAX;

  TextPool();
  void Clear();

  // The number of `text`, kept from now on if it is new.
  uint32_t Intern(std::string_view text);
  // The number of `text`, or kNone when it was never interned.
  uint32_t Find(std::string_view text) const;
  // The text of `number`; valid until the next Intern or Clear.
  std::string_view Text(uint32_t number) const {
    const uint32_t begin = number == 0 ? 0 : m_ends[number - 1];
    return std::string_view(m_bytes.data() + begin, m_ends[number] - begin);
  }
  std::size_t Count() const { return m_ends.size(); }

 private:
  static uint32_t HashOf(std::string_view text);
  uint32_t Find(std::string_view text, uint32_t hash) const;

  std::vector<char> m_bytes;     // the texts one after another
  std::vector<uint32_t> m_ends;  // by number: where its text ends in m_bytes
  HashSlots m_index;             // numbers by the hash of their text
};

}  // namespace stats
