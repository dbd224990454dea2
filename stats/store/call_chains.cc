#include "stats/store/call_chains.h"

#include <algorithm>

namespace stats {

// The chains keep their memory for the next log, whose chains are much the
// same.
void CallChains::Clear() {
  m_index.Clear();
  for (uint32_t chain = 0; chain < m_limit; ++chain) m_chains[chain].entries.clear();
  m_limit = 0;
  m_free.clear();
}

uint32_t CallChains::Open(uint64_t key, uint32_t hash) {
  uint32_t chain;
  if (!m_free.empty()) {
    chain = m_free.back();
    m_free.pop_back();
  } else {
    chain = m_limit++;
    if (chain == m_chains.size()) m_chains.emplace_back();
  }
  m_chains[chain].key = key;
  m_index.Insert(hash, chain);
  return chain;
}

void CallChains::Erase(uint32_t chain, uint32_t id) {
  std::vector<Entry>& entries = m_chains[chain].entries;
  entries.erase(
      std::find_if(entries.begin(), entries.end(), [id](const Entry& e) { return e.Id() == id; }));
  if (!entries.empty()) return;
  m_index.Erase(HashOf(m_chains[chain].key), chain);
  m_free.push_back(chain);
}

}  // namespace stats
