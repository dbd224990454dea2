#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "stats/store/hash_slots.h"
#include "stats/store/text_hash.h"

namespace stats {

// What the call check reads of a stored record.
struct CallFacts {
  uint32_t mode = 0;  // number of its mode text
  int32_t tour = 0;
  int minuteOfDay = -1;  // hour * 60 + minute of its date-time; -1 when it has none

  int Hour() const { return minuteOfDay < 0 ? -1 : minuteOfDay / 60; }
  int Minute() const { return minuteOfDay < 0 ? -1 : minuteOfDay % 60; }
};

// The stored records of each call on each band, in store order, each with
// its CallFacts: the call check reads a chain and no record. A chain has a
// number of its own while it has records; the number is free again with its
// last record. Calls and bands come as numbers (of the call text and of the
// band). Inserting and finding cost a constant on average: a look-up reads
// one line of the hash table, then the chain, whose key sits beside the
// handle of its entries' array. Erasing moves the later entries of that
// chain.
class CallChains {
 public:
  static constexpr uint32_t kNone = UINT32_MAX;

  // A record in a chain: 8 bytes, its facts packed beside its id.
  class Entry {
   public:
    Entry(uint32_t id, const CallFacts& facts) : m_id(id) {
      const bool fits = facts.mode < kModeLimit && facts.tour >= 0 && facts.tour < kTourLimit;
      m_facts = fits ? facts.mode << kModeShift | static_cast<uint32_t>(facts.tour) << kTourShift |
                           static_cast<uint32_t>(facts.minuteOfDay + 1)
                     : kUnpacked;
    }
    uint32_t Id() const { return m_id; }
    // The record's facts; false when they were too large to pack (a mode
    // number from 65535, a tour outside 0..30): then the record has them.
    bool Facts(CallFacts* out) const {
      if (m_facts == kUnpacked) return false;
      out->mode = m_facts >> kModeShift;
      out->tour = static_cast<int32_t>(m_facts >> kTourShift & uint32_t{kTourLimit});
      out->minuteOfDay = static_cast<int>(m_facts & ((uint32_t{1} << kTourShift) - 1)) - 1;
      return true;
    }

   private:
    static constexpr unsigned kTourShift = 11;
    static constexpr unsigned kModeShift = 16;
    static constexpr int32_t kTourLimit = 31;
    static constexpr uint32_t kModeLimit = 0xFFFF;
    static constexpr uint32_t kUnpacked = UINT32_MAX;

    uint32_t m_id;
    uint32_t m_facts;  // mode << 16 | tour << 11 | (minuteOfDay + 1), or kUnpacked
  };

  void Clear();
  // Files record `id` last in the chain of `call` on `band`. Returns the
  // chain's number, which Erase needs.
  uint32_t Insert(uint32_t id, uint32_t band, uint32_t call, const CallFacts& facts) {
    const uint64_t key = KeyOf(band, call);
    const uint32_t hash = HashOf(key);
    uint32_t chain = FindKey(key, hash);
    if (chain == kNone) chain = Open(key, hash);
    m_chains[chain].entries.emplace_back(id, facts);
    return chain;
  }
  // Unfiles `id` from chain `chain`.
  void Erase(uint32_t chain, uint32_t id);
  // The number of the chain of `call` on `band`, or kNone when it is empty.
  uint32_t Find(uint32_t band, uint32_t call) const {
    const uint64_t key = KeyOf(band, call);
    return FindKey(key, HashOf(key));
  }
  // The entries of chain `chain`, oldest first; valid until the next change.
  const std::vector<Entry>& Entries(uint32_t chain) const { return m_chains[chain].entries; }

 private:
  // A chain in use has entries; its key is in the index.
  struct Chain {
    uint64_t key = 0;
    std::vector<Entry> entries;
  };

  static uint64_t KeyOf(uint32_t band, uint32_t call) { return uint64_t{band} << 32 | call; }
  static uint32_t HashOf(uint64_t key) {
    return static_cast<uint32_t>(TextHash().Add(key).Value());
  }
  uint32_t FindKey(uint64_t key, uint32_t hash) const {
    uint32_t found = kNone;
    m_index.Any(hash, [&](uint32_t chain) {
      if (m_chains[chain].key != key) return false;
      found = chain;
      return true;
    });
    return found;
  }
  // A chain for `key`, with no entries yet.
  uint32_t Open(uint64_t key, uint32_t hash);

  HashSlots m_index;             // chains in use by the hash of their key
  std::vector<Chain> m_chains;   // by number; those from m_limit on are kept for reuse
  uint32_t m_limit = 0;          // numbers handed out since Clear
  std::vector<uint32_t> m_free;  // numbers below m_limit not in use
};

}  // namespace stats
