#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "stats/hash_slots.h"
#include "stats/id_sequence.h"
#include "stats/info.h"
#include "stats/key_numbers.h"
#include "stats/short_text.h"
#include "stats/text_pool.h"

namespace stats {

// The contest store: accepted QSOs in order of arrival. Index 0 is the
// oldest; removal moves later records down one place. Searches report the
// lowest matching index, so the order of the store decides every answer.
//
// Records come in as CInfo or as views of one (InfoView) and go out as
// CInfo; inside, each is a small fixed record of numbers: the texts that
// repeat (calls, keys, groups, bands, modes, reports) are kept once in a
// text pool, the exchanges in place when they are short. Equal texts have
// equal numbers, so comparing numbers compares texts byte for byte.
//
// Costs: At, Count, SetResults and the appends are constant (amortized);
// the searches cost the number of records that share the texts searched
// for (equal records, or records of one call on one band); RemoveAt moves
// the 4-byte ids of the records before or after it, whichever are fewer.
// Records never move in memory while stored, and Clear keeps their memory
// for the next log, which after a reset comes right away.
class QsoStore {
  struct Slot;

 public:
  static constexpr std::ptrdiff_t kNotFound = -1;
  static constexpr uint32_t kNoNumber = KeyNumbers::kNone;

  // The texts of a record that repeat from QSO to QSO, each field numbered
  // on its own.
  enum TextField { kCall, kMultKey, kGroup, kBand, kMode, kRstRcvd, kRstSent, kSpare1, kSpare2,
                   kTextFieldCount };

  // A stored record as it is, read in place; valid while the store is not
  // changed.
  class Record {
   public:
    std::string_view Mode() const;
    std::string_view ExchRcvd() const;
    std::string_view ExchSent() const;
    int32_t Tour() const;
    int32_t MultBand() const;
    platform::COleDateTime Time() const;
    // Numbers of the call, mode and group texts: see TextNumber.
    uint32_t CallNumber() const;
    uint32_t ModeNumber() const;
    uint32_t GroupNumber() const;
    // The whole record.
    CInfo Info() const;

   private:
    friend class QsoStore;
    Record(const QsoStore& store, const Slot& slot) : m_store(&store), m_slot(&slot) {}
    const QsoStore* m_store;
    const Slot* m_slot;
  };

  QsoStore();
  ~QsoStore();
  QsoStore(const QsoStore&) = delete;
  QsoStore& operator=(const QsoStore&) = delete;

  void Clear();
  std::size_t Count() const { return m_order.size(); }
  Record RecordAt(std::size_t index) const { return Record(*this, SlotOf(m_order[index])); }
  CInfo At(std::size_t index) const { return RecordAt(index).Info(); }

  void Append(const CInfo& record);
  // Appends `record` unless an equal record is stored (the duplicate rule
  // of ingest). Returns whether it appended.
  bool AppendIfNew(const InfoView& record);
  bool AppendIfNew(const CInfo& record) { return AppendIfNew(ViewOf(record)); }
  void RemoveAt(std::size_t index);

  // Writes the per-QSO results of a results request into a stored record.
  void SetResults(std::size_t index, int32_t points, int32_t multBand,
                  int32_t serial);

  // Lowest index of a record equal to `record`, or kNotFound.
  std::ptrdiff_t FindEqual(const CInfo& record) const;

  // Lowest index of a record with this call, mode and band, or kNotFound.
  std::ptrdiff_t FindCallModeBand(std::string_view call, std::string_view mode,
                                  std::string_view band) const;

  // Calls `visit(const Record&)` for each record with this call and band, in
  // store order, until it returns true. Returns whether it did.
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
  uint32_t BandNumberAt(std::size_t index) const { return SlotOf(m_order[index]).bandNumber; }
  uint32_t BandKeyNumberAt(std::size_t index) const {
    return SlotOf(m_order[index]).bandKey;
  }
  // The band number of `band`, or kNoNumber when no stored record has it.
  uint32_t FindBandNumber(std::string_view band) const;
  // The band-key number of `band` with `multKey`, or kNoNumber when no
  // stored record has both.
  uint32_t FindBandKeyNumber(std::string_view band, std::string_view multKey) const;
  std::size_t BandNumberLimit() const { return m_bands.Limit(); }
  std::size_t BandKeyNumberLimit() const { return m_bandKeys.Limit(); }

 private:
  static constexpr uint32_t kNoSlot = UINT32_MAX;
  static constexpr unsigned kChunkBits = 10;
  static constexpr uint32_t kChunkSize = uint32_t{1} << kChunkBits;

  // One record (texts as numbers of their field's pool, exchanges as ShortTexts over
  // m_longExchanges) and its places in the indexes.
  struct Slot {
    double time = 0.0;
    ShortText exchRcvd, exchSent;
    uint32_t call = 0, multKey = 0, group = 0, band = 0, mode = 0;
    uint32_t rstRcvd = 0, rstSent = 0, spare1 = 0, spare2 = 0;
    int32_t timeStatus = 0;
    int32_t freqKHz = 0, tour = 0, reserved = 0, points = 0, multBand = 0, serial = 0;
    uint64_t seq = 0;         // order of arrival; store order is ascending seq
    uint32_t bandNumber = 0;  // number of the band text
    uint32_t callBand = 0;    // number of the band with the call
    uint32_t bandKey = 0;     // number of the band with the multiplier key
  };

  // A slot's neighbours in store order among the records of one call and
  // band. Kept beside the slots, not in them: appending a record then
  // touches its predecessor's 8 bytes here rather than a line of its slot.
  struct Link {
    uint32_t prev = kNoSlot;
    uint32_t next = kNoSlot;
  };

  // Where a record and a slot keep each repeating text.
  struct TextPlace {
    std::string CInfo::*text;
    std::string_view InfoView::*view;
    uint32_t Slot::*number;
  };
  static const TextPlace kTextPlaces[kTextFieldCount];

  // The records of one call on one band, oldest first.
  struct Chain {
    uint32_t first = kNoSlot;
    uint32_t last = kNoSlot;
  };

  const Slot& SlotOf(uint32_t id) const {
    return m_chunks[id >> kChunkBits][id & (kChunkSize - 1)];
  }
  Slot& SlotOf(uint32_t id) { return m_chunks[id >> kChunkBits][id & (kChunkSize - 1)]; }

  // The record's fields in `slot`, its texts added to the pools.
  void Fill(const InfoView& record, Slot* slot);
  // The same without adding: false when a text is in no pool, so that no
  // stored record can equal `record`.
  bool Describe(const InfoView& record, Slot* slot) const;
  // The number of `text` in the pool of `field`; the field's number in the
  // last record is tried first, since most fields repeat from QSO to QSO.
  uint32_t InternRepeating(std::size_t field, std::string_view text);
  // The same, trying `guess` first.
  uint32_t InternLike(std::size_t field, std::string_view text, uint32_t guess);
  // The fields that are no texts.
  static void CopyValues(const InfoView& record, Slot* slot);
  static bool CanBeEqual(const Slot& slot);
  static bool SameRecord(const Slot& a, const Slot& b);
  static uint32_t EqualityKey(const Slot& slot);

  uint32_t NewSlot();
  // Files the record just placed in slot `id` in every index; `equalityKey`
  // is its EqualityKey.
  void Index(uint32_t id, uint32_t equalityKey);
  std::size_t PositionOf(uint32_t id) const;
  // First slot of the call's chain on the band, or kNoSlot.
  uint32_t FirstOfCallBand(std::string_view call, std::string_view band) const;

  std::vector<std::unique_ptr<Slot[]>> m_chunks;
  uint32_t m_slotCount = 0;  // slots handed out since Clear
  std::vector<Link> m_links;  // by slot id
  std::vector<uint32_t> m_freeSlots;
  IdSequence m_order;             // slot ids in store order
  uint64_t m_nextSeq = 0;         // equals Count() until the first removal
  TextPool m_texts[kTextFieldCount];          // by TextField: small pools stay in cache
  uint32_t m_lastTexts[kTextFieldCount] = {};  // by TextField: its number in the last record
  // The multiplier key and group of a call's last record, by call number:
  // a station sends the same ones all day.
  struct CallTexts {
    uint32_t multKey = TextPool::kEmpty;
    uint32_t group = TextPool::kEmpty;
  };
  std::vector<CallTexts> m_callTexts;
  TextPool m_longExchanges;                    // exchanges too long to keep in place
  KeyNumbers m_bands;             // by band text number
  uint32_t m_lastBandNumber = kNoNumber;  // of the last record appended
  KeyNumbers m_callBands;         // by band number and call text number
  KeyNumbers m_bandKeys;          // by band number and key text number
  std::vector<Chain> m_chains;    // by call-band number
  HashSlots m_equalIndex;         // slots of records that can be equal, by EqualityKey
};

template <typename Visit>
bool QsoStore::AnyWithCallBand(std::string_view call, std::string_view band,
                               Visit&& visit) const {
  for (uint32_t id = FirstOfCallBand(call, band); id != kNoSlot;
       id = m_links[id].next) {
    if (visit(Record(*this, SlotOf(id)))) return true;
  }
  return false;
}

}  // namespace stats
