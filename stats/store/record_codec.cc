#include "stats/store/record_codec.h"

#include <algorithm>
#include <cmath>

#include "stats/store/text_hash.h"

using platform::COleDateTime;

namespace stats {
namespace {

// Where a record keeps each repeating text, by TextField.
struct TextPlace {
  std::string CInfo::*text;
  std::string_view InfoView::*view;
};

constexpr TextPlace kTextPlaces[kTextFieldCount] = {
#define STATS_RECORD_TEXT(enumerator, member, view) {&CInfo::member, &InfoView::view},
#include "stats/store/record_fields.def"
};

// The fields that are neither pooled texts nor exchanges.
void CopyValues(const InfoView& r, StoredRecord* s) {
#define STATS_RECORD_NUMBER(member, view, initial) s->view = r.view;
#define STATS_RECORD_TIME(member, view) \
  s->time = r.view.m_dt;                \
  s->timeStatus = r.view.m_status;
#include "stats/store/record_fields.def"
}

}  // namespace

bool StoredRecord::CanBeEqual() const {
  return timeStatus == COleDateTime::null ||
         (timeStatus == COleDateTime::valid && !std::isnan(time));
}

bool StoredRecord::SameAs(const StoredRecord& other) const {
  return std::equal(std::begin(texts), std::end(texts), std::begin(other.texts))
#define STATS_RECORD_EXCHANGE(member, view) &&view == other.view
#define STATS_RECORD_NUMBER(member, view, initial) &&view == other.view
#define STATS_RECORD_TIME(member, view) &&Time() == other.Time()
#include "stats/store/record_fields.def"
      ;
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
#define STATS_RECORD_EXCHANGE(member, view) out->view = ShortText::Of(record.view, m_longExchanges);
#include "stats/store/record_fields.def"
  CopyValues(record, out);
}

bool RecordCodec::Describe(const InfoView& record, StoredRecord* out) const {
  for (std::size_t field = 0; field < kTextFieldCount; ++field) {
    const uint32_t number = m_pools[field].Find(record.*kTextPlaces[field].view);
    if (number == TextPool::kNone) return false;
    out->texts[field] = number;
  }
#define STATS_RECORD_EXCHANGE(member, view) \
  if (!ShortText::Find(record.view, m_longExchanges, &out->view)) return false;
#include "stats/store/record_fields.def"
  CopyValues(record, out);
  return true;
}

CInfo RecordCodec::Decode(const StoredRecord& record) const {
  CInfo r;
  for (std::size_t field = 0; field < kTextFieldCount; ++field) {
    r.*kTextPlaces[field].text = m_pools[field].Text(record.texts[field]);
  }
#define STATS_RECORD_EXCHANGE(member, view) r.member = Exchange(record.view);
#define STATS_RECORD_NUMBER(member, view, initial) r.member = record.view;
#define STATS_RECORD_TIME(member, view) r.member = record.Time();
#include "stats/store/record_fields.def"
  return r;
}

}  // namespace stats
