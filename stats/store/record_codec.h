#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "stats/store/info.h"
#include "stats/store/short_text.h"
#include "stats/store/text_pool.h"

namespace stats {

// The texts of a record that repeat from QSO to QSO.
enum TextField {
#define STATS_RECORD_TEXT(enumerator, member, view) enumerator,
#include "stats/store/record_fields.def"
  kTextFieldCount
};

// The record's date-times: StoredRecord keeps one, as `time` and
// `timeStatus`.
constexpr int kRecordTimeCount = 0
#define STATS_RECORD_TIME(member, view) +1
#include "stats/store/record_fields.def"
    ;

// A record as the store keeps it: a fixed block of numbers. Each repeating
// text is its number in the pool of its field, each exchange a ShortText.
// Equal texts have equal numbers, so comparing numbers compares texts byte
// for byte.
struct StoredRecord {
  static_assert(kRecordTimeCount == 1, "a record keeps one date-time");
  double time = 0.0;
#define STATS_RECORD_EXCHANGE(member, view) ShortText view;
#include "stats/store/record_fields.def"
  uint32_t texts[kTextFieldCount] = {};  // by TextField
  int32_t timeStatus = 0;
#define STATS_RECORD_NUMBER(member, view, initial) int32_t view = 0;
#include "stats/store/record_fields.def"

  platform::COleDateTime Time() const { return platform::COleDateTime(time, timeStatus); }
  // A record whose date-time is invalid, or valid with a NaN value, equals
  // none, itself included.
  bool CanBeEqual() const;
  // Every field, date-times compared as COleDateTime does.
  bool SameAs(const StoredRecord& other) const;
};

// The text pools of a store: turns records into StoredRecords and back.
// Pools keep their texts until Clear, so that numbers stay with their texts
// while records come and go.
class RecordCodec {
 public:
  RecordCodec();
  void Clear();

  // `record` as numbers, its texts added to the pools.
  void Encode(const InfoView& record, StoredRecord* out);
  // The same without adding: false when a text is in no pool, so that no
  // stored record can equal `record`.
  bool Describe(const InfoView& record, StoredRecord* out) const;
  CInfo Decode(const StoredRecord& record) const;

  // The text of `number` in the pool of `field`; valid until the next
  // Encode or Clear.
  std::string_view Text(TextField field, uint32_t number) const {
    return m_pools[field].Text(number);
  }
  std::string_view Exchange(const ShortText& exchange) const {
    return exchange.View(m_longExchanges);
  }
  // The number of `text` in the pool of `field`, or TextPool::kNone.
  uint32_t Find(TextField field, std::string_view text) const { return m_pools[field].Find(text); }

 private:
  // The multiplier key and group of a call's last record, by call number:
  // a station sends the same ones all day.
  struct CallTexts {
    uint32_t multKey = TextPool::kEmpty;
    uint32_t group = TextPool::kEmpty;
  };

  // Where a call's last number of `field` is kept, or nullptr for a field
  // guessed from the last record.
  static uint32_t* LastOfCall(TextField field, CallTexts& known) {
    return field == kMultKey ? &known.multKey : field == kGroup ? &known.group : nullptr;
  }
  // The number of `text` in the pool of `field`, trying `guess` first and
  // then the field's number in the last record, since most fields repeat
  // from QSO to QSO.
  uint32_t Intern(TextField field, std::string_view text, uint32_t guess) {
    uint32_t& last = m_lastTexts[field];
    const TextPool& pool = m_pools[field];
    if (guess != last && SameBytes(pool.Text(guess), text)) return last = guess;
    if (SameBytes(pool.Text(last), text)) return last;
    return last = m_pools[field].Intern(text);
  }

  TextPool m_pools[kTextFieldCount];           // by TextField: small pools stay in cache
  uint32_t m_lastTexts[kTextFieldCount] = {};  // by TextField: its number in the last record
  std::vector<CallTexts> m_callTexts;
  TextPool m_longExchanges;  // exchanges too long to keep in place
};

}  // namespace stats
