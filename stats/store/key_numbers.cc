#include "stats/store/key_numbers.h"

#include "stats/store/text_hash.h"

namespace stats {

void KeyNumbers::Clear() {
  m_index.Clear();
  m_keys.clear();
  m_holders.clear();
  m_free.clear();
}

uint32_t KeyNumbers::HashOf(uint64_t key) {
  return static_cast<uint32_t>(TextHash().Add(key).Value());
}

uint32_t KeyNumbers::Find(uint64_t key, uint32_t hash) const {
  uint32_t found = kNone;
  m_index.Any(hash, [&](uint32_t number) {
    if (m_keys[number] != key) return false;
    found = number;
    return true;
  });
  return found;
}

uint32_t KeyNumbers::Find(uint64_t key) const { return Find(key, HashOf(key)); }

uint32_t KeyNumbers::Acquire(uint64_t key) {
  const uint32_t hash = HashOf(key);
  uint32_t number = Find(key, hash);
  if (number != kNone) {
    ++m_holders[number];
    return number;
  }
  if (m_free.empty()) {
    number = static_cast<uint32_t>(m_keys.size());
    m_keys.push_back(key);
    m_holders.push_back(1);
  } else {
    number = m_free.back();
    m_free.pop_back();
    m_keys[number] = key;
    m_holders[number] = 1;
  }
  m_index.Insert(hash, number);
  return number;
}

void KeyNumbers::Release(uint32_t number) {
  if (--m_holders[number] != 0) return;
  m_index.Erase(HashOf(m_keys[number]), number);
  m_free.push_back(number);
}

}  // namespace stats
