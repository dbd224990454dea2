#include "stats/record_codec.h"

#include <algorithm>
#include <cmath>

#include "stats/text_hash.h"

using platform::COleDateTime;

namespace stats {
namespace {

// Where a record keeps each repeating text, by TextField.
struct TextPlace {
  std::string CInfo::*text;
  std::string_view InfoView::*view;
};

constexpr TextPlace kTextPlaces[kTextFieldCount] = {
#define STATS_TEXT_FIELD(field, member, view) {&CInfo::member, &InfoView::view},
#include "stats/text_fields.def"
};

void CopyValues(const InfoView& r, StoredRecord* s) {
  s->freqKHz = r.freqKHz;
  s->tour = r.tour;
  s->reserved = r.reserved;
  s->points = r.points;
  s->multBand = r.multBand;
  s->serial = r.serial;
  s->time = r.time.m_dt;
  s->timeStatus = r.time.m_status;
}

}  // namespace

bool StoredRecord::CanBeEqual() const {
  return timeStatus == COleDateTime::null ||
         (timeStatus == COleDateTime::valid && !std::isnan(time));
}

bool StoredRecord::SameAs(const StoredRecord& other) const {
  return std::equal(std::begin(texts), std::end(texts), std::begin(other.texts)) &&
         exchRcvd == other.exchRcvd && exchSent == other.exchSent && freqKHz == other.freqKHz &&
         tour == other.tour && reserved == other.reserved && points == other.points &&
         multBand == other.multBand && serial == other.serial && Time() == other.Time();
}

RecordCodec::RecordCodec() { Clear(); }

void RecordCodec::Clear() {
  for (TextPool& pool : m_pools) pool.Clear();
  std::fill(std::begin(m_lastTexts), std::end(m_lastTexts), TextPool::kEmpty);
  m_callTexts.clear();
  m_longExchanges.Clear();
}

// The call comes first: it chooses the guesses of the fields that a station
// keeps all day.
void RecordCodec::Encode(const InfoView& record, StoredRecord* out) {
  const uint32_t call = out->texts[kCall] = Intern(kCall, record.call, m_lastTexts[kCall]);
  if (call >= m_callTexts.size()) m_callTexts.resize(call + std::size_t{1});
  CallTexts& known = m_callTexts[call];
  for (std::size_t i = 0; i < kTextFieldCount; ++i) {
    const auto field = static_cast<TextField>(i);
    if (field == kCall) continue;
    const std::string_view text = record.*kTextPlaces[field].view;
    uint32_t* lastOfCall = LastOfCall(field, known);
    out->texts[field] = lastOfCall != nullptr ? (*lastOfCall = Intern(field, text, *lastOfCall))
                                              : Intern(field, text, m_lastTexts[field]);
  }
  out->exchRcvd = ShortText::Of(record.exchRcvd, m_longExchanges);
  out->exchSent = ShortText::Of(record.exchSent, m_longExchanges);
  CopyValues(record, out);
}

bool RecordCodec::Describe(const InfoView& record, StoredRecord* out) const {
  for (std::size_t field = 0; field < kTextFieldCount; ++field) {
    const uint32_t number = m_pools[field].Find(record.*kTextPlaces[field].view);
    if (number == TextPool::kNone) return false;
    out->texts[field] = number;
  }
  if (!ShortText::Find(record.exchRcvd, m_longExchanges, &out->exchRcvd) ||
      !ShortText::Find(record.exchSent, m_longExchanges, &out->exchSent)) {
    return false;
  }
  CopyValues(record, out);
  return true;
}

CInfo RecordCodec::Decode(const StoredRecord& record) const {
  CInfo r;
  for (std::size_t field = 0; field < kTextFieldCount; ++field) {
    r.*kTextPlaces[field].text = m_pools[field].Text(record.texts[field]);
  }
  r.m_exchRcvd = Exchange(record.exchRcvd);
  r.m_exchSent = Exchange(record.exchSent);
  r.m_freqKHz = record.freqKHz;
  r.m_tour = record.tour;
  r.m_reserved = record.reserved;
  r.m_points = record.points;
  r.m_multBand = record.multBand;
  r.m_serial = record.serial;
  r.m_time = record.Time();
  return r;
}

}  // namespace stats
