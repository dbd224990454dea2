#include "stats/store/qso_store.h"

namespace stats {

// Slots keep their last records until they are handed out again.
void QsoStore::Clear() {
  m_slots.Clear();
  m_order.Clear();
  m_codec.Clear();
  m_bands.Clear();
  m_chains.Clear();
  m_duplicates.Clear();
}

void QsoStore::Index(uint32_t id) {
  Slot& s = m_slots[id];
  s.bands = m_bands.Insert(s.record.texts[kBand], s.record.texts[kMultKey]);
  s.chain = m_chains.Insert(id, s.bands.band, s.record.texts[kCall], FactsOf(s.record));
  m_order.Append(id, [this](uint32_t other) -> uint32_t& { return m_slots[other].seq; });
}

void QsoStore::Unindex(std::size_t index) {
  const uint32_t id = m_order[index];
  const Slot& s = m_slots[id];
  m_order.Erase(index);
  m_chains.Erase(s.chain, id);
  m_bands.Erase(s.bands);
}

void QsoStore::Append(const CInfo& record) {
  const uint32_t id = m_slots.New();
  m_codec.Encode(ViewOf(record), &m_slots[id].record);
  m_duplicates.Insert(id, m_slots[id].record);
  Index(id);
}

bool QsoStore::AppendIfNew(const InfoView& record) {
  const uint32_t id = m_slots.New();
  StoredRecord& candidate = m_slots[id].record;
  m_codec.Encode(record, &candidate);
  const bool isNew = m_duplicates.InsertIfNew(
      id, candidate, [&](uint32_t other) { return m_slots[other].record.SameAs(candidate); });
  if (!isNew) {
    m_slots.Free(id);
    return false;
  }
  Index(id);
  return true;
}

void QsoStore::RemoveAt(std::size_t index) {
  const uint32_t id = m_order[index];
  Unindex(index);
  m_duplicates.Erase(id, m_slots[id].record);
  m_slots.Free(id);
}

void QsoStore::SetResults(std::size_t index, int32_t points, int32_t multBand, int32_t serial) {
  StoredRecord& r = m_slots[m_order[index]].record;
  r.points = points;
  r.multBand = multBand;
  r.serial = serial;
}

std::size_t QsoStore::PositionOf(uint32_t id) const {
  return m_order.PositionOf(id, [this](uint32_t other) { return m_slots[other].seq; });
}

std::ptrdiff_t QsoStore::FindEqual(const CInfo& record) const {
  StoredRecord probe;
  if (!m_codec.Describe(ViewOf(record), &probe)) return kNotFound;
  uint32_t best = UINT32_MAX;
  m_duplicates.Any(probe, [&](uint32_t id) {
    const Slot& s = m_slots[id];
    if (s.record.SameAs(probe) && (best == UINT32_MAX || s.seq < m_slots[best].seq)) best = id;
    return false;
  });
  if (best == UINT32_MAX) return kNotFound;
  return static_cast<std::ptrdiff_t>(PositionOf(best));
}

uint32_t QsoStore::TextNumber(TextField field, std::string_view text) const {
  const uint32_t number = m_codec.Find(field, text);
  return number == TextPool::kNone ? kNoNumber : number;
}

uint32_t QsoStore::FindBandNumber(std::string_view band) const {
  const uint32_t text = m_codec.Find(kBand, band);
  return text == TextPool::kNone ? kNoNumber : m_bands.FindBand(text);
}

uint32_t QsoStore::FindBandKeyNumber(std::string_view band, std::string_view multKey) const {
  const uint32_t bandNumber = FindBandNumber(band);
  const uint32_t keyText = m_codec.Find(kMultKey, multKey);
  if (bandNumber == kNoNumber || keyText == TextPool::kNone) return kNoNumber;
  return m_bands.FindBandKey(bandNumber, keyText);
}

uint32_t QsoStore::ChainOf(std::string_view call, std::string_view band) const {
  const uint32_t bandNumber = FindBandNumber(band);
  const uint32_t callText = m_codec.Find(kCall, call);
  if (bandNumber == kNoNumber || callText == TextPool::kNone) return CallChains::kNone;
  return m_chains.Find(bandNumber, callText);
}

std::ptrdiff_t QsoStore::FindCallModeBand(std::string_view call, std::string_view mode,
                                          std::string_view band) const {
  const uint32_t modeText = m_codec.Find(kMode, mode);
  const uint32_t chain = ChainOf(call, band);
  if (modeText == TextPool::kNone || chain == CallChains::kNone) return kNotFound;
  for (const CallChains::Entry& entry : m_chains.Entries(chain)) {
    CallFacts facts;
    const uint32_t entryMode =
        entry.Facts(&facts) ? facts.mode : m_slots[entry.Id()].record.texts[kMode];
    if (entryMode == modeText) return static_cast<std::ptrdiff_t>(PositionOf(entry.Id()));
  }
  return kNotFound;
}

}  // namespace stats
