#include "stats/text_numbers.h"

#include "stats/text_hash.h"

namespace stats {

void TextNumbers::Clear() {
  m_index.Clear();
  m_texts.clear();
  m_holders.clear();
  m_free.clear();
}

uint32_t TextNumbers::HashOf(const std::string& text) {
  return static_cast<uint32_t>(TextHash().Add(text).Value());
}

uint32_t TextNumbers::Find(const std::string& text, uint32_t hash) const {
  uint32_t found = kNone;
  m_index.Any(hash, [&](uint32_t number) {
    if (m_texts[number] != text) return false;
    found = number;
    return true;
  });
  return found;
}

uint32_t TextNumbers::Find(const std::string& text) const { return Find(text, HashOf(text)); }

uint32_t TextNumbers::Acquire(const std::string& text) {
  const uint32_t hash = HashOf(text);
  uint32_t number = Find(text, hash);
  if (number != kNone) {
    ++m_holders[number];
    return number;
  }
  if (m_free.empty()) {
    number = static_cast<uint32_t>(m_texts.size());
    m_texts.push_back(text);
    m_holders.push_back(1);
  } else {
    number = m_free.back();
    m_free.pop_back();
    m_texts[number] = text;
    m_holders[number] = 1;
  }
  m_index.Insert(hash, number);
  return number;
}

void TextNumbers::Release(uint32_t number) {
  if (--m_holders[number] != 0) return;
  m_index.Erase(HashOf(m_texts[number]), number);
  m_texts[number].clear();
  m_free.push_back(number);
}

}  // namespace stats
