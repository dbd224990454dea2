#include "stats/store/text_pool.h"

#include "stats/store/text_hash.h"

namespace stats {

TextPool::TextPool() { Clear(); }

void TextPool::Clear() {
  m_bytes.clear();
  m_ends.assign(1, 0);  // the empty text, never in the index
  m_index.Clear();
}

uint32_t TextPool::HashOf(std::string_view text) {
  return static_cast<uint32_t>(TextHash().Add(text).Value());
}

uint32_t TextPool::Find(std::string_view text, uint32_t hash) const {
  uint32_t found = kNone;
  m_index.Any(hash, [&](uint32_t number) {
    if (!SameBytes(Text(number), text)) return false;
    found = number;
    return true;
  });
  return found;
}

uint32_t TextPool::Find(std::string_view text) const {
  return text.empty() ? kEmpty : Find(text, HashOf(text));
}

uint32_t TextPool::Intern(std::string_view text) {
  if (text.empty()) return kEmpty;
  const uint32_t hash = HashOf(text);
  uint32_t number = Find(text, hash);
  if (number != kNone) return number;
  number = static_cast<uint32_t>(m_ends.size());
  m_bytes.insert(m_bytes.end(), text.begin(), text.end());
  m_ends.push_back(static_cast<uint32_t>(m_bytes.size()));
  m_index.Insert(hash, number);
  return number;
}

}  // namespace stats
