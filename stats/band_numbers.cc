#include "stats/band_numbers.h"

namespace stats {

void BandNumbers::Clear() {
  m_bands.Clear();
  m_bandKeys.Clear();
  m_lastBand = kNone;
}

BandNumbers::Held BandNumbers::Insert(uint32_t bandText, uint32_t keyText) {
  Held held;
  held.band = m_lastBand = m_bands.AcquireLike(bandText, m_lastBand);
  held.bandKey = m_bandKeys.Acquire(KeyNumbers::Pair(held.band, keyText));
  return held;
}

void BandNumbers::Erase(const Held& held) {
  m_bandKeys.Release(held.bandKey);
  m_bands.Release(held.band);
}

}  // namespace stats
