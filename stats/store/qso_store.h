#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "stats/store/band_numbers.h"
#include "stats/store/call_chains.h"
#include "stats/store/duplicate_index.h"
#include "stats/store/info.h"
#include "stats/store/record_codec.h"
#include "stats/store/slot_arena.h"
#include "stats/store/store_order.h"

namespace stats {

// The contest store: accepted QSOs in order of arrival. Index 0 is the
// oldest; removal moves later records down one place. Searches report the
// lowest matching index, so the order of the store decides every answer.
//
// Records come in as CInfo or as views of one (InfoView) and go out as
// CInfo; inside, each is a StoredRecord of numbers (RecordCodec) in a slot
// that does not move while the record is stored (SlotArena), filed in the
// store order (StoreOrder) and in three indexes, each of which files and
// unfiles a record on its own: band and band-key numbers (BandNumbers), the
// chains of one call on one band (CallChains) and equal records
// (DuplicateIndex).
//
// Costs: At, Count, SetResults and the appends are constant (amortized);
// the searches cost the number of records that share the texts searched
// for (equal records, or records of one call on one band), and once a
// record has been removed, a search that reports an index adds a binary
// search over the store order (log2 of Count steps). RemoveAt moves the
// 4-byte ids of the records before or after it, whichever are fewer, and
// the entries after it in its call's chain on its band. Clear keeps the
// memory for the next log, which after a reset comes right away.
class QsoStore {
  struct Slot;

 public:
  static constexpr std::ptrdiff_t kNotFound = -1;
  static constexpr uint32_t kNoNumber = KeyNumbers::kNone;

  // A stored record as it is, read in place; valid while the store is not
  // changed.
  class Record {
   public:
    std::string_view ExchRcvd() const { return m_codec->Exchange(m_record->exchRcvd); }
    std::string_view ExchSent() const { return m_codec->Exchange(m_record->exchSent); }
    int32_t MultBand() const { return m_record->multBand; }
    // Numbers of the call, mode and group texts: see TextNumber.
    uint32_t CallNumber() const { return m_record->texts[kCall]; }
    uint32_t ModeNumber() const { return m_record->texts[kMode]; }
    uint32_t GroupNumber() const { return m_record->texts[kGroup]; }
    // The whole record.
    CInfo Info() const { return m_codec->Decode(*m_record); }

   private:
    friend class QsoStore;
    Record(const RecordCodec& codec, const StoredRecord& record)
        : m_codec(&codec), m_record(&record) {}
    const RecordCodec* m_codec;
    const StoredRecord* m_record;
  };

  void Clear();
  std::size_t Count() const { return m_order.Count(); }
  Record RecordAt(std::size_t index) const {
    return Record(m_codec, m_slots[m_order[index]].record);
  }
  CInfo At(std::size_t index) const { return RecordAt(index).Info(); }

  void Append(const CInfo& record);
  // Appends `record` unless an equal record is stored (the duplicate rule
  // of ingest). Returns whether it appended.
  bool AppendIfNew(const InfoView& record);
  bool AppendIfNew(const CInfo& record) { return AppendIfNew(ViewOf(record)); }
  void RemoveAt(std::size_t index);

  // Writes the per-QSO results of a results request into a stored record.
  void SetResults(std::size_t index, int32_t points, int32_t multBand, int32_t serial);

  // Lowest index of a record equal to `record`, or kNotFound.
  std::ptrdiff_t FindEqual(const CInfo& record) const;

  // Lowest index of a record with this call, mode and band, or kNotFound.
  std::ptrdiff_t FindCallModeBand(std::string_view call, std::string_view mode,
                                  std::string_view band) const;

  // Calls `visit(const CallFacts&)` with the facts of each record with this
  // call and band, in store order, until it returns true. Returns whether
  // it did. Reads the call's chain on the band, not the records.
  template <typename Visit>
  bool AnyWithCallBand(std::string_view call, std::string_view band, Visit&& visit) const;

  // The number that the `field` text of a stored record has when it equals
  // `text`, or kNoNumber when no record stored since Clear had it there.
  uint32_t TextNumber(TextField field, std::string_view text) const;

  // Numbers for the texts of stored records, for a pass over the store that
  // groups records: two records have the same band number exactly when their
  // m_band texts are equal, and the same band-key number exactly when both
  // m_band and m_multKey are equal. Numbers are below the matching limit and
  // stay with their texts while the store is not changed.
  uint32_t BandNumberAt(std::size_t index) const { return m_slots[m_order[index]].bands.band; }
  uint32_t BandKeyNumberAt(std::size_t index) const {
    return m_slots[m_order[index]].bands.bandKey;
  }
  // The band number of `band`, or kNoNumber when no stored record has it.
  uint32_t FindBandNumber(std::string_view band) const;
  // The band-key number of `band` with `multKey`, or kNoNumber when no
  // stored record has both.
  uint32_t FindBandKeyNumber(std::string_view band, std::string_view multKey) const;
  std::size_t BandNumberLimit() const { return m_bands.BandLimit(); }
  std::size_t BandKeyNumberLimit() const { return m_bands.BandKeyLimit(); }

 private:
  // A record and what it holds in the order and the indexes.
  struct Slot {
    StoredRecord record;
    BandNumbers::Held bands = {};
    uint32_t chain = 0;  // its CallChains number
    uint32_t seq = 0;    // its StoreOrder sequence number
  };

  static CallFacts FactsOf(const StoredRecord& record) {
    CallFacts facts;
    facts.mode = record.texts[kMode];
    facts.tour = record.tour;
    facts.minuteOfDay = record.Time().GetMinuteOfDay();
    return facts;
  }
  // Files the record in slot `id`, already in the duplicate index, in the
  // store order and the other indexes; Unindex undoes it.
  void Index(uint32_t id);
  void Unindex(std::size_t index);
  std::size_t PositionOf(uint32_t id) const;
  // The chain of the call on the band, or CallChains::kNone.
  uint32_t ChainOf(std::string_view call, std::string_view band) const;

  SlotArena<Slot> m_slots;
  StoreOrder m_order;
  RecordCodec m_codec;
  BandNumbers m_bands;
  CallChains m_chains;
  DuplicateIndex m_duplicates;
};

template <typename Visit>
bool QsoStore::AnyWithCallBand(std::string_view call, std::string_view band, Visit&& visit) const {
  const uint32_t chain = ChainOf(call, band);
  if (chain == CallChains::kNone) return false;
  for (const CallChains::Entry& entry : m_chains.Entries(chain)) {
    CallFacts facts;
    if (!entry.Facts(&facts)) facts = FactsOf(m_slots[entry.Id()].record);
    if (visit(static_cast<const CallFacts&>(facts))) return true;
  }
  return false;
}

}  // namespace stats
