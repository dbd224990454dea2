#pragma once

#include <cstddef>
#include <cstdint>

#include "stats/store/key_numbers.h"

namespace stats {

// Small numbers for the bands of the stored records, and for each band and
// multiplier key that a stored record has together, for a pass over the
// store that groups records by band and by key within a band. Bands and keys
// come as numbers of their texts. A number is held by the records that have
// it and free again with the last of them. Every operation costs a constant
// on average.
class BandNumbers {
 public:
  static constexpr uint32_t kNone = KeyNumbers::kNone;

  // What a record holds.
  struct Held {
    uint32_t band;
    uint32_t bandKey;
  };

  void Clear();
  Held Insert(uint32_t bandText, uint32_t keyText) {
    Held held;
    held.band = m_lastBand = m_bands.AcquireLike(bandText, m_lastBand);
    held.bandKey = m_bandKeys.Acquire(KeyNumbers::Pair(held.band, keyText));
    return held;
  }
  // Lets go of what Insert gave.
  void Erase(const Held& held) {
    m_bandKeys.Release(held.bandKey);
    m_bands.Release(held.band);
  }

  // The number of the band text, or kNone when no record holds it.
  uint32_t FindBand(uint32_t bandText) const { return m_bands.Find(bandText); }
  // The number of the band number with the key text, or kNone.
  uint32_t FindBandKey(uint32_t band, uint32_t keyText) const {
    return m_bandKeys.Find(KeyNumbers::Pair(band, keyText));
  }
  // Every number held is below its limit.
  std::size_t BandLimit() const { return m_bands.Limit(); }
  std::size_t BandKeyLimit() const { return m_bandKeys.Limit(); }

 private:
  KeyNumbers m_bands;           // by band text number
  KeyNumbers m_bandKeys;        // by band number and key text number
  uint32_t m_lastBand = kNone;  // of the last record: bands come in runs
};

}  // namespace stats
