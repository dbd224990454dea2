#include "stats/store/duplicate_index.h"

#include <cstring>

#include "stats/store/key_numbers.h"
#include "stats/store/text_hash.h"

using platform::COleDateTime;

namespace stats {

// Equal records give equal keys. The key reads the fields that tell QSOs
// apart (call, band, mode, the exchanges, frequency, tour, date-time) and
// none of the per-QSO results, so writing results never moves a record in
// the index. A null date-time counts without its value, and +0.0 and -0.0
// count alike.
uint32_t DuplicateIndex::KeyOf(const StoredRecord& record) {
  TextHash hash;
  hash.Add(KeyNumbers::Pair(record.texts[kCall], record.texts[kBand]))
      .Add(KeyNumbers::Pair(record.texts[kMode], uint32_t(record.tour)));
  hash.Add(record.exchRcvd.Word(0)).Add(record.exchRcvd.Word(1));
  hash.Add(record.exchSent.Word(0)).Add(record.exchSent.Word(1)).Add(uint32_t(record.freqKHz));
  uint64_t bits = 0;
  if (record.timeStatus == COleDateTime::valid && record.time != 0.0) {
    std::memcpy(&bits, &record.time, sizeof bits);
  }
  hash.Add(bits ^ static_cast<uint32_t>(record.timeStatus));
  return static_cast<uint32_t>(hash.Value());
}

}  // namespace stats
