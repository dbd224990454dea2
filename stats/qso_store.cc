#include "stats/qso_store.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "stats/text_hash.h"

using platform::COleDateTime;

namespace stats {

const QsoStore::TextPlace QsoStore::kTextPlaces[kTextFieldCount] = {
    {&CInfo::m_call, &InfoView::call, &Slot::call},
    {&CInfo::m_multKey, &InfoView::multKey, &Slot::multKey},
    {&CInfo::m_group, &InfoView::group, &Slot::group},
    {&CInfo::m_band, &InfoView::band, &Slot::band},
    {&CInfo::m_mode, &InfoView::mode, &Slot::mode},
    {&CInfo::m_rstRcvd, &InfoView::rstRcvd, &Slot::rstRcvd},
    {&CInfo::m_rstSent, &InfoView::rstSent, &Slot::rstSent},
    {&CInfo::m_spare1, &InfoView::spare1, &Slot::spare1},
    {&CInfo::m_spare2, &InfoView::spare2, &Slot::spare2},
};

std::string_view QsoStore::Record::Mode() const { return m_store->m_texts[kMode].Text(m_slot->mode); }
std::string_view QsoStore::Record::ExchRcvd() const {
  return m_slot->exchRcvd.View(m_store->m_longExchanges);
}
std::string_view QsoStore::Record::ExchSent() const {
  return m_slot->exchSent.View(m_store->m_longExchanges);
}
int32_t QsoStore::Record::Tour() const { return m_slot->tour; }
int32_t QsoStore::Record::MultBand() const { return m_slot->multBand; }
COleDateTime QsoStore::Record::Time() const {
  return COleDateTime(m_slot->time, m_slot->timeStatus);
}
uint32_t QsoStore::Record::CallNumber() const { return m_slot->call; }
uint32_t QsoStore::Record::ModeNumber() const { return m_slot->mode; }
uint32_t QsoStore::Record::GroupNumber() const { return m_slot->group; }

CInfo QsoStore::Record::Info() const {
  CInfo r;
  for (std::size_t field = 0; field < kTextFieldCount; ++field) {
    r.*kTextPlaces[field].text = m_store->m_texts[field].Text(m_slot->*kTextPlaces[field].number);
  }
  r.m_exchRcvd = ExchRcvd();
  r.m_exchSent = ExchSent();
  r.m_freqKHz = m_slot->freqKHz;
  r.m_tour = m_slot->tour;
  r.m_reserved = m_slot->reserved;
  r.m_points = m_slot->points;
  r.m_multBand = m_slot->multBand;
  r.m_serial = m_slot->serial;
  r.m_time = Time();
  return r;
}

QsoStore::QsoStore() = default;
QsoStore::~QsoStore() = default;

// Slots keep their last records until they are handed out again.
void QsoStore::Clear() {
  m_slotCount = 0;
  m_freeSlots.clear();
  m_order.clear();
  m_nextSeq = 0;
  for (TextPool& texts : m_texts) texts.Clear();
  m_longExchanges.Clear();
  std::fill(std::begin(m_lastTexts), std::end(m_lastTexts), TextPool::kEmpty);
  m_callTexts.clear();
  m_bands.Clear();
  m_lastBandNumber = kNoNumber;
  m_callBands.Clear();
  m_bandKeys.Clear();
  m_chains.clear();
  m_equalIndex.Clear();
}

uint32_t QsoStore::InternRepeating(std::size_t field, std::string_view text) {
  uint32_t& last = m_lastTexts[field];
  if (SameBytes(m_texts[field].Text(last), text)) return last;
  return last = m_texts[field].Intern(text);
}

uint32_t QsoStore::InternLike(std::size_t field, std::string_view text, uint32_t guess) {
  if (SameBytes(m_texts[field].Text(guess), text)) return m_lastTexts[field] = guess;
  return InternRepeating(field, text);
}

void QsoStore::CopyValues(const InfoView& r, Slot* s) {
  s->freqKHz = r.freqKHz;
  s->tour = r.tour;
  s->reserved = r.reserved;
  s->points = r.points;
  s->multBand = r.multBand;
  s->serial = r.serial;
  s->time = r.time.m_dt;
  s->timeStatus = r.time.m_status;
}

// The call first, then the two fields whose last number per call is kept,
// then the others in the order of TextField.
static_assert(QsoStore::kCall == 0 && QsoStore::kMultKey == 1 && QsoStore::kGroup == 2 &&
                  QsoStore::kBand == 3,
              "Fill takes the first three fields one by one");

void QsoStore::Fill(const InfoView& record, Slot* slot) {
  slot->call = InternRepeating(kCall, record.call);
  if (slot->call >= m_callTexts.size()) m_callTexts.resize(slot->call + std::size_t{1});
  CallTexts& known = m_callTexts[slot->call];
  slot->multKey = known.multKey = InternLike(kMultKey, record.multKey, known.multKey);
  slot->group = known.group = InternLike(kGroup, record.group, known.group);
  for (std::size_t field = kBand; field < kTextFieldCount; ++field) {
    slot->*kTextPlaces[field].number = InternRepeating(field, record.*kTextPlaces[field].view);
  }
  slot->exchRcvd = ShortText::Of(record.exchRcvd, m_longExchanges);
  slot->exchSent = ShortText::Of(record.exchSent, m_longExchanges);
  CopyValues(record, slot);
}

bool QsoStore::Describe(const InfoView& record, Slot* slot) const {
  for (std::size_t field = 0; field < kTextFieldCount; ++field) {
    const uint32_t number = m_texts[field].Find(record.*kTextPlaces[field].view);
    if (number == TextPool::kNone) return false;
    slot->*kTextPlaces[field].number = number;
  }
  if (!ShortText::Find(record.exchRcvd, m_longExchanges, &slot->exchRcvd) ||
      !ShortText::Find(record.exchSent, m_longExchanges, &slot->exchSent)) {
    return false;
  }
  CopyValues(record, slot);
  return true;
}

// A record whose date-time is invalid, or valid with a NaN value, equals
// none, itself included.
bool QsoStore::CanBeEqual(const Slot& s) {
  return s.timeStatus == COleDateTime::null ||
         (s.timeStatus == COleDateTime::valid && !std::isnan(s.time));
}

// Every field of the record; date-times compare as COleDateTime does.
bool QsoStore::SameRecord(const Slot& a, const Slot& b) {
  for (const TextPlace& place : kTextPlaces) {
    if (a.*place.number != b.*place.number) return false;
  }
  return a.exchRcvd == b.exchRcvd && a.exchSent == b.exchSent && a.freqKHz == b.freqKHz &&
         a.tour == b.tour && a.reserved == b.reserved && a.points == b.points &&
         a.multBand == b.multBand && a.serial == b.serial &&
         COleDateTime(a.time, a.timeStatus) == COleDateTime(b.time, b.timeStatus);
}

// Equal records give equal keys. The key reads the fields that tell QSOs
// apart (call, band, mode, the exchanges, frequency, tour, date-time) and
// none of the per-QSO results, so writing results never moves a record in
// the index. A null date-time counts without its value, and +0.0 and -0.0
// count alike.
uint32_t QsoStore::EqualityKey(const Slot& s) {
  TextHash hash;
  hash.Add(KeyNumbers::Pair(s.call, s.band)).Add(KeyNumbers::Pair(s.mode, uint32_t(s.tour)));
  hash.Add(s.exchRcvd.Word(0)).Add(s.exchRcvd.Word(1));
  hash.Add(s.exchSent.Word(0)).Add(s.exchSent.Word(1)).Add(uint32_t(s.freqKHz));
  uint64_t bits = 0;
  if (s.timeStatus == COleDateTime::valid && s.time != 0.0) {
    std::memcpy(&bits, &s.time, sizeof bits);
  }
  hash.Add(bits ^ static_cast<uint32_t>(s.timeStatus));
  return static_cast<uint32_t>(hash.Value());
}

uint32_t QsoStore::NewSlot() {
  if (!m_freeSlots.empty()) {
    const uint32_t id = m_freeSlots.back();
    m_freeSlots.pop_back();
    return id;
  }
  const uint32_t id = m_slotCount++;
  if ((id >> kChunkBits) == m_chunks.size()) {
    m_chunks.emplace_back(new Slot[kChunkSize]);
    m_links.resize(m_chunks.size() * kChunkSize);
  }
  return id;
}

void QsoStore::Append(const CInfo& record) {
  const uint32_t id = NewSlot();
  Fill(ViewOf(record), &SlotOf(id));
  Index(id, EqualityKey(SlotOf(id)));
}

bool QsoStore::AppendIfNew(const InfoView& record) {
  const uint32_t id = NewSlot();
  Slot& candidate = SlotOf(id);
  Fill(record, &candidate);
  const uint32_t key = EqualityKey(candidate);
  if (CanBeEqual(candidate) &&
      m_equalIndex.Any(key, [&](uint32_t other) { return SameRecord(SlotOf(other), candidate); })) {
    m_freeSlots.push_back(id);
    return false;
  }
  Index(id, key);
  return true;
}

void QsoStore::Index(uint32_t id, uint32_t equalityKey) {
  Slot& s = SlotOf(id);
  s.seq = m_nextSeq++;
  s.bandNumber = m_lastBandNumber = m_bands.AcquireLike(s.band, m_lastBandNumber);
  s.callBand = m_callBands.Acquire(KeyNumbers::Pair(s.bandNumber, s.call));
  s.bandKey = m_bandKeys.Acquire(KeyNumbers::Pair(s.bandNumber, s.multKey));

  if (s.callBand >= m_chains.size()) m_chains.resize(s.callBand + std::size_t{1});
  Chain& chain = m_chains[s.callBand];
  m_links[id] = Link{chain.last, kNoSlot};
  if (chain.last != kNoSlot) {
    m_links[chain.last].next = id;
  } else {
    chain.first = id;
  }
  chain.last = id;

  if (CanBeEqual(s)) m_equalIndex.Insert(equalityKey, id);
  m_order.push_back(id);
}

void QsoStore::RemoveAt(std::size_t index) {
  const uint32_t id = m_order[index];
  m_order.erase(index);
  Slot& s = SlotOf(id);

  Chain& chain = m_chains[s.callBand];
  const Link link = m_links[id];
  if (link.prev != kNoSlot) {
    m_links[link.prev].next = link.next;
  } else {
    chain.first = link.next;
  }
  if (link.next != kNoSlot) {
    m_links[link.next].prev = link.prev;
  } else {
    chain.last = link.prev;
  }

  if (CanBeEqual(s)) m_equalIndex.Erase(EqualityKey(s), id);
  m_bandKeys.Release(s.bandKey);
  m_callBands.Release(s.callBand);
  m_bands.Release(s.bandNumber);
  m_freeSlots.push_back(id);
}

void QsoStore::SetResults(std::size_t index, int32_t points, int32_t multBand,
                          int32_t serial) {
  Slot& s = SlotOf(m_order[index]);
  s.points = points;
  s.multBand = multBand;
  s.serial = serial;
}

std::size_t QsoStore::PositionOf(uint32_t id) const {
  const uint64_t seq = SlotOf(id).seq;
  if (m_nextSeq == m_order.size()) return static_cast<std::size_t>(seq);
  const auto found =
      std::lower_bound(m_order.begin(), m_order.end(), seq,
                       [this](uint32_t other, uint64_t s) { return SlotOf(other).seq < s; });
  return static_cast<std::size_t>(found - m_order.begin());
}

std::ptrdiff_t QsoStore::FindEqual(const CInfo& record) const {
  Slot probe;
  if (!Describe(ViewOf(record), &probe) || !CanBeEqual(probe)) return kNotFound;
  uint32_t best = kNoSlot;
  m_equalIndex.Any(EqualityKey(probe), [&](uint32_t id) {
    const Slot& s = SlotOf(id);
    if (SameRecord(s, probe) && (best == kNoSlot || s.seq < SlotOf(best).seq)) best = id;
    return false;
  });
  if (best == kNoSlot) return kNotFound;
  return static_cast<std::ptrdiff_t>(PositionOf(best));
}

uint32_t QsoStore::TextNumber(TextField field, std::string_view text) const {
  const uint32_t number = m_texts[field].Find(text);
  return number == TextPool::kNone ? kNoNumber : number;
}

uint32_t QsoStore::FindBandNumber(std::string_view band) const {
  const uint32_t text = m_texts[kBand].Find(band);
  return text == TextPool::kNone ? kNoNumber : m_bands.Find(text);
}

uint32_t QsoStore::FirstOfCallBand(std::string_view call, std::string_view band) const {
  const uint32_t bandNumber = FindBandNumber(band);
  const uint32_t callText = m_texts[kCall].Find(call);
  if (bandNumber == kNoNumber || callText == TextPool::kNone) return kNoSlot;
  const uint32_t callBand = m_callBands.Find(KeyNumbers::Pair(bandNumber, callText));
  return callBand != kNoNumber ? m_chains[callBand].first : kNoSlot;
}

std::ptrdiff_t QsoStore::FindCallModeBand(std::string_view call, std::string_view mode,
                                          std::string_view band) const {
  const uint32_t modeText = m_texts[kMode].Find(mode);
  if (modeText == TextPool::kNone) return kNotFound;
  for (uint32_t id = FirstOfCallBand(call, band); id != kNoSlot;
       id = m_links[id].next) {
    if (SlotOf(id).mode == modeText) return static_cast<std::ptrdiff_t>(PositionOf(id));
  }
  return kNotFound;
}

uint32_t QsoStore::FindBandKeyNumber(std::string_view band, std::string_view multKey) const {
  const uint32_t bandNumber = FindBandNumber(band);
  const uint32_t keyText = m_texts[kMultKey].Find(multKey);
  if (bandNumber == kNoNumber || keyText == TextPool::kNone) return kNoNumber;
  return m_bandKeys.Find(KeyNumbers::Pair(bandNumber, keyText));
}

}  // namespace stats
