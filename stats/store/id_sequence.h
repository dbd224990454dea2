#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace stats {

// 32-bit ids in order, with random access and an erase that moves the
// shorter side: erasing the i-th of n ids moves min(i, n - 1 - i) of them,
// so erasing near either end is cheap.
class IdSequence {
 public:
  std::size_t size() const { return m_ids.size() - m_begin; }
  uint32_t operator[](std::size_t i) const { return m_ids[m_begin + i]; }
  const uint32_t* begin() const { return m_ids.data() + m_begin; }
  const uint32_t* end() const { return m_ids.data() + m_ids.size(); }

  void push_back(uint32_t id) { m_ids.push_back(id); }
  void clear() {
    m_ids.clear();
    m_begin = 0;
  }

  void erase(std::size_t i) {
    if (i < size() - 1 - i) {
      std::memmove(&m_ids[m_begin + 1], &m_ids[m_begin], i * sizeof(uint32_t));
      ++m_begin;
    } else {
      m_ids.erase(m_ids.begin() + static_cast<std::ptrdiff_t>(m_begin + i));
    }
    // The space of ids erased at the front goes back once it outgrows the
    // rest: each id is moved at most once for every id erased there.
    if (m_begin > size()) {
      m_ids.erase(m_ids.begin(), m_ids.begin() + static_cast<std::ptrdiff_t>(m_begin));
      m_begin = 0;
    }
  }

 private:
  std::vector<uint32_t> m_ids;
  std::size_t m_begin = 0;  // m_ids before it are erased
};

}  // namespace stats
