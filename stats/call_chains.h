#pragma once

#include <cstdint>
#include <vector>

#include "stats/key_numbers.h"

namespace stats {

// What the call check reads of a stored record.
struct CallFacts {
  uint32_t mode = 0;     // number of its mode text
  int32_t tour = 0;
  int minuteOfDay = -1;  // hour * 60 + minute of its date-time; -1 when it has none

  int Hour() const { return minuteOfDay < 0 ? -1 : minuteOfDay / 60; }
  int Minute() const { return minuteOfDay < 0 ? -1 : minuteOfDay % 60; }
};

// The stored records of each call on each band, in store order, each with
// its CallFacts: the call check reads a chain and no record. A chain has a
// number of its own, held by its records (KeyNumbers): a chain's number is
// free again with its last record. Calls and bands come as numbers (of the
// call text and of the band). Inserting and finding cost a constant on
// average; erasing moves the later entries of that chain.
class CallChains {
 public:
  static constexpr uint32_t kNone = KeyNumbers::kNone;

  // A record in a chain: 8 bytes, its facts packed beside its id.
  class Entry {
   public:
    Entry(uint32_t id, const CallFacts& facts);
    uint32_t Id() const { return m_id; }
    // The record's facts; false when they were too large to pack (a mode
    // number from 65535, a tour outside 0..30): then the record has them.
    bool Facts(CallFacts* out) const;

   private:
    uint32_t m_id;
    uint32_t m_facts;  // mode << 16 | tour << 11 | (minuteOfDay + 1), or kUnpacked
  };

  void Clear();
  // Files record `id` last in the chain of `call` on `band`. Returns the
  // chain's number, which Erase needs.
  uint32_t Insert(uint32_t id, uint32_t band, uint32_t call, const CallFacts& facts);
  // Unfiles `id` from chain `chain`.
  void Erase(uint32_t chain, uint32_t id);
  // The number of the chain of `call` on `band`, or kNone when it is empty.
  uint32_t Find(uint32_t band, uint32_t call) const {
    return m_numbers.Find(KeyNumbers::Pair(band, call));
  }
  // The entries of chain `chain`, oldest first; valid until the next change.
  const std::vector<Entry>& Entries(uint32_t chain) const { return m_chains[chain]; }

 private:
  KeyNumbers m_numbers;                    // by band number and call number
  std::vector<std::vector<Entry>> m_chains;  // by chain number; kept at Clear
};

}  // namespace stats
