#include "stats/qso_store.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "stats/record_hash.h"

namespace stats {

QsoStore::QsoStore() = default;
QsoStore::~QsoStore() = default;

// Slots keep their last records until they are handed out again.
void QsoStore::Clear() {
  m_slotCount = 0;
  m_freeSlots.clear();
  m_order.clear();
  m_nextSeq = 0;
  m_bands.Clear();
  m_callBands.Clear();
  m_bandKeys.Clear();
  m_chains.clear();
  m_equalIndex.Clear();
}

std::string QsoStore::OnBand(uint32_t band, const std::string& text) {
  std::string pair(sizeof band, '\0');
  std::memcpy(&pair[0], &band, sizeof band);
  return pair += text;
}

uint32_t QsoStore::EqualityKey(const CInfo& record) {
  return static_cast<uint32_t>(EqualityHash(record));
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
  }
  return id;
}

void QsoStore::Append(const CInfo& record) { Append(CInfo(record)); }

void QsoStore::Append(CInfo&& record) {
  const bool canBeEqual = CanBeEqual(record);
  const uint32_t key = canBeEqual ? EqualityKey(record) : 0;
  const uint32_t id = NewSlot();
  SlotOf(id).record = std::move(record);
  Index(id, canBeEqual, key);
}

bool QsoStore::AppendIfNew(CInfo&& record) {
  const bool canBeEqual = CanBeEqual(record);
  const uint32_t key = canBeEqual ? EqualityKey(record) : 0;
  if (canBeEqual &&
      m_equalIndex.Any(key, [&](uint32_t id) { return SlotOf(id).record == record; })) {
    return false;
  }
  const uint32_t id = NewSlot();
  SlotOf(id).record = std::move(record);
  Index(id, canBeEqual, key);
  return true;
}

void QsoStore::Index(uint32_t id, bool canBeEqual, uint32_t equalityKey) {
  Slot& s = SlotOf(id);
  const CInfo& record = s.record;
  s.seq = m_nextSeq++;
  s.band = m_bands.Acquire(record.m_band);
  s.callBand = m_callBands.Acquire(OnBand(s.band, record.m_call));
  s.bandKey = m_bandKeys.Acquire(OnBand(s.band, record.m_multKey));

  if (s.callBand >= m_chains.size()) m_chains.resize(s.callBand + std::size_t{1});
  Chain& chain = m_chains[s.callBand];
  s.prevSameCallBand = chain.last;
  s.nextSameCallBand = kNoSlot;
  if (chain.last != kNoSlot) {
    SlotOf(chain.last).nextSameCallBand = id;
  } else {
    chain.first = id;
  }
  chain.last = id;

  s.inEqualIndex = canBeEqual;
  if (canBeEqual) m_equalIndex.Insert(equalityKey, id);
  m_order.push_back(id);
}

void QsoStore::RemoveAt(std::size_t index) {
  const uint32_t id = m_order[index];
  m_order.erase(index);
  Slot& s = SlotOf(id);

  Chain& chain = m_chains[s.callBand];
  if (s.prevSameCallBand != kNoSlot) {
    SlotOf(s.prevSameCallBand).nextSameCallBand = s.nextSameCallBand;
  } else {
    chain.first = s.nextSameCallBand;
  }
  if (s.nextSameCallBand != kNoSlot) {
    SlotOf(s.nextSameCallBand).prevSameCallBand = s.prevSameCallBand;
  } else {
    chain.last = s.prevSameCallBand;
  }

  if (s.inEqualIndex) m_equalIndex.Erase(EqualityKey(s.record), id);
  m_bandKeys.Release(s.bandKey);
  m_callBands.Release(s.callBand);
  m_bands.Release(s.band);
  s = Slot();
  m_freeSlots.push_back(id);
}

void QsoStore::SetResults(std::size_t index, int32_t points, int32_t multBand,
                          int32_t serial) {
  CInfo& r = SlotOf(m_order[index]).record;
  r.m_points = points;
  r.m_multBand = multBand;
  r.m_serial = serial;
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
  if (!CanBeEqual(record)) return kNotFound;
  uint32_t best = kNoSlot;
  m_equalIndex.Any(EqualityKey(record), [&](uint32_t id) {
    const Slot& s = SlotOf(id);
    if (s.record == record && (best == kNoSlot || s.seq < SlotOf(best).seq)) best = id;
    return false;
  });
  if (best == kNoSlot) return kNotFound;
  return static_cast<std::ptrdiff_t>(PositionOf(best));
}

uint32_t QsoStore::FirstOfCallBand(const std::string& call,
                                   const std::string& band) const {
  const uint32_t bandNumber = m_bands.Find(band);
  if (bandNumber == kNoNumber) return kNoSlot;
  const uint32_t callBand = m_callBands.Find(OnBand(bandNumber, call));
  return callBand != kNoNumber ? m_chains[callBand].first : kNoSlot;
}

std::ptrdiff_t QsoStore::FindCallModeBand(const std::string& call,
                                          const std::string& mode,
                                          const std::string& band) const {
  for (uint32_t id = FirstOfCallBand(call, band); id != kNoSlot;
       id = SlotOf(id).nextSameCallBand) {
    if (SlotOf(id).record.m_mode == mode) {
      return static_cast<std::ptrdiff_t>(PositionOf(id));
    }
  }
  return kNotFound;
}

uint32_t QsoStore::FindBandKeyNumber(const std::string& band,
                                     const std::string& multKey) const {
  const uint32_t bandNumber = m_bands.Find(band);
  if (bandNumber == kNoNumber) return kNoNumber;
  return m_bandKeys.Find(OnBand(bandNumber, multKey));
}

}  // namespace stats
