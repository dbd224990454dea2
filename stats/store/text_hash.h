#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace stats {

// A fast 64-bit hash for in-memory indexes. Equal inputs give equal values on
// every run; the values are not stable across versions and never stored.
class TextHash {
 public:
  explicit TextHash(uint64_t seed = 0x9E3779B97F4A7C15ull) : m_state(seed) {}

  TextHash& Add(uint64_t word) {
    m_state = Mix(m_state ^ word);
    return *this;
  }

  // The length goes into the last word, so that the same bytes split
  // differently over several texts hash differently.
  TextHash& Add(std::string_view text) {
    const char* p = text.data();
    std::size_t n = text.size();
    const uint64_t length = static_cast<uint64_t>(n) << 56;
    for (; n >= 8; n -= 8, p += 8) {
      uint64_t word;
      std::memcpy(&word, p, 8);
      Add(word);
    }
    return Add(Tail(p, n) ^ length);
  }

  uint64_t Value() const { return Mix(m_state); }

 private:
  // The last `n` (below 8) bytes as one word, read without copying bytes
  // one by one: overlapping loads cover every byte.
  static uint64_t Tail(const char* p, std::size_t n) {
    if (n >= 4) {
      uint32_t first, last;
      std::memcpy(&first, p, 4);
      std::memcpy(&last, p + n - 4, 4);
      return uint64_t{first} << 24 ^ last;
    }
    if (n == 0) return 0;
    return uint64_t{static_cast<unsigned char>(p[0])} << 16 |
           uint64_t{static_cast<unsigned char>(p[n / 2])} << 8 |
           static_cast<unsigned char>(p[n - 1]);
  }

  static uint64_t Mix(uint64_t x) {
    x ^= x >> 32;
    x *= 0xD6E8FEB86659FD93ull;
    x ^= x >> 32;
    return x;
  }

  uint64_t m_state;
};

// For unordered containers keyed by text.
struct TextHasher {
  std::size_t operator()(const std::string& text) const {
    return static_cast<std::size_t>(TextHash().Add(text).Value());
  }
};

}  // namespace stats
