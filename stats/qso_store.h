#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "stats/hash_slots.h"
#include "stats/id_sequence.h"
#include "stats/info.h"
#include "stats/text_numbers.h"

namespace stats {

// The contest store: accepted QSOs in order of arrival. Index 0 is the
// oldest; removal moves later records down one place. Searches report the
// lowest matching index, so the order of the store decides every answer.
//
// Costs: At, Count, SetResults and the appends are constant (amortized);
// the searches cost the number of records that share the texts searched
// for (equal records, or records of one call on one band); RemoveAt moves
// the 4-byte ids of the records before or after it, whichever are fewer.
// Records never move in memory while stored, and Clear keeps their memory
// for the next log, which after a reset comes right away.
class QsoStore {
 public:
  static constexpr std::ptrdiff_t kNotFound = -1;
  static constexpr uint32_t kNoNumber = TextNumbers::kNone;

  QsoStore();
  ~QsoStore();
  QsoStore(const QsoStore&) = delete;
  QsoStore& operator=(const QsoStore&) = delete;

  void Clear();
  std::size_t Count() const { return m_order.size(); }
  const CInfo& At(std::size_t index) const { return SlotOf(m_order[index]).record; }

  void Append(const CInfo& record);
  void Append(CInfo&& record);
  // Appends `record` unless an equal record is stored (the duplicate rule
  // of ingest). Returns whether it appended.
  bool AppendIfNew(CInfo&& record);
  void RemoveAt(std::size_t index);

  // Writes the per-QSO results of a results request into a stored record.
  void SetResults(std::size_t index, int32_t points, int32_t multBand,
                  int32_t serial);

  // Lowest index of a record equal to `record`, or kNotFound.
  std::ptrdiff_t FindEqual(const CInfo& record) const;

  // Lowest index of a record with this call, mode and band, or kNotFound.
  std::ptrdiff_t FindCallModeBand(const std::string& call,
                                  const std::string& mode,
                                  const std::string& band) const;

  // Calls `visit(const CInfo&)` for each record with this call and band, in
  // store order, until it returns true. Returns whether it did.
  template <typename Visit>
  bool AnyWithCallBand(const std::string& call, const std::string& band,
                       Visit&& visit) const;

  // Numbers for the texts of stored records, for a pass over the store that
  // groups records: two records have the same band number exactly when their
  // m_band texts are equal, and the same band-key number exactly when both
  // m_band and m_multKey are equal. Numbers are below the matching limit and
  // stay with their texts while the store is not changed.
  uint32_t BandNumberAt(std::size_t index) const { return SlotOf(m_order[index]).band; }
  uint32_t BandKeyNumberAt(std::size_t index) const {
    return SlotOf(m_order[index]).bandKey;
  }
  // The band number of `band`, or kNoNumber when no stored record has it.
  uint32_t FindBandNumber(const std::string& band) const { return m_bands.Find(band); }
  // The band-key number of `band` with `multKey`, or kNoNumber when no
  // stored record has both.
  uint32_t FindBandKeyNumber(const std::string& band, const std::string& multKey) const;
  std::size_t BandNumberLimit() const { return m_bands.Limit(); }
  std::size_t BandKeyNumberLimit() const { return m_bandKeys.Limit(); }

 private:
  static constexpr uint32_t kNoSlot = UINT32_MAX;
  static constexpr unsigned kChunkBits = 10;
  static constexpr uint32_t kChunkSize = uint32_t{1} << kChunkBits;

  struct Slot {
    CInfo record;
    uint64_t seq = 0;       // order of arrival; store order is ascending seq
    uint32_t band = 0;      // number of m_band
    uint32_t callBand = 0;  // number of m_band with m_call
    uint32_t bandKey = 0;   // number of m_band with m_multKey
    uint32_t prevSameCallBand = kNoSlot;  // neighbours in store order among
    uint32_t nextSameCallBand = kNoSlot;  // the records of one call and band
    bool inEqualIndex = false;
  };

  // The records of one call on one band, oldest first.
  struct Chain {
    uint32_t first = kNoSlot;
    uint32_t last = kNoSlot;
  };

  const Slot& SlotOf(uint32_t id) const {
    return m_chunks[id >> kChunkBits][id & (kChunkSize - 1)];
  }
  Slot& SlotOf(uint32_t id) { return m_chunks[id >> kChunkBits][id & (kChunkSize - 1)]; }
  // A text of the record's band number (four raw bytes, so the text is
  // unambiguous) followed by `text`.
  static std::string OnBand(uint32_t band, const std::string& text);

  uint32_t NewSlot();
  // Files the record just placed in slot `id` in every index; `equalityKey`
  // is its EqualityKey when it can equal others.
  void Index(uint32_t id, bool canBeEqual, uint32_t equalityKey);
  static uint32_t EqualityKey(const CInfo& record);
  std::size_t PositionOf(uint32_t id) const;
  // First slot of the call's chain on the band, or kNoSlot.
  uint32_t FirstOfCallBand(const std::string& call, const std::string& band) const;

  std::vector<std::unique_ptr<Slot[]>> m_chunks;
  uint32_t m_slotCount = 0;  // slots handed out since Clear
  std::vector<uint32_t> m_freeSlots;
  IdSequence m_order;             // slot ids in store order
  uint64_t m_nextSeq = 0;         // equals Count() until the first removal
  TextNumbers m_bands;
  TextNumbers m_callBands;
  TextNumbers m_bandKeys;
  std::vector<Chain> m_chains;  // by call-band number
  HashSlots m_equalIndex;       // slots by EqualityHash
};

template <typename Visit>
bool QsoStore::AnyWithCallBand(const std::string& call, const std::string& band,
                               Visit&& visit) const {
  for (uint32_t id = FirstOfCallBand(call, band); id != kNoSlot;
       id = SlotOf(id).nextSameCallBand) {
    if (visit(SlotOf(id).record)) return true;
  }
  return false;
}

}  // namespace stats
