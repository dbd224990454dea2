#include "stats/store/band_numbers.h"

namespace stats {

void BandNumbers::Clear() {
  m_bands.Clear();
  m_bandKeys.Clear();
  m_lastBand = kNone;
}

}  // namespace stats
