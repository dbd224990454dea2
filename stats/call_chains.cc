#include "stats/call_chains.h"

#include <algorithm>

namespace stats {
namespace {

constexpr unsigned kTourShift = 11;
constexpr unsigned kModeShift = 16;
constexpr int32_t kTourLimit = 31;
constexpr uint32_t kModeLimit = 0xFFFF;
constexpr uint32_t kUnpacked = UINT32_MAX;

}  // namespace

CallChains::Entry::Entry(uint32_t id, const CallFacts& facts) : m_id(id) {
  const bool fits = facts.mode < kModeLimit && facts.tour >= 0 && facts.tour < kTourLimit;
  m_facts = fits ? facts.mode << kModeShift | static_cast<uint32_t>(facts.tour) << kTourShift |
                       static_cast<uint32_t>(facts.minuteOfDay + 1)
                 : kUnpacked;
}

bool CallChains::Entry::Facts(CallFacts* out) const {
  if (m_facts == kUnpacked) return false;
  out->mode = m_facts >> kModeShift;
  out->tour = static_cast<int32_t>(m_facts >> kTourShift & uint32_t{kTourLimit});
  out->minuteOfDay = static_cast<int>(m_facts & ((uint32_t{1} << kTourShift) - 1)) - 1;
  return true;
}

// The chains keep their memory for the next log, whose chains are much the
// same.
void CallChains::Clear() {
  m_numbers.Clear();
  for (std::vector<Entry>& chain : m_chains) chain.clear();
}

uint32_t CallChains::Insert(uint32_t id, uint32_t band, uint32_t call, const CallFacts& facts) {
  const uint32_t chain = m_numbers.Acquire(KeyNumbers::Pair(band, call));
  if (chain >= m_chains.size()) m_chains.resize(chain + std::size_t{1});
  m_chains[chain].emplace_back(id, facts);
  return chain;
}

void CallChains::Erase(uint32_t chain, uint32_t id) {
  std::vector<Entry>& entries = m_chains[chain];
  entries.erase(std::find_if(entries.begin(), entries.end(),
                             [id](const Entry& e) { return e.Id() == id; }));
  m_numbers.Release(chain);
}

}  // namespace stats
