#pragma once

#include <cstdint>
#include <string>

#include "stats/band_list.h"
#include "stats/store/qso_store.h"

namespace stats {

// The module-wide contest state, by reference: the module owns the objects,
// and tests give their own.
struct Contest {
  QsoStore& qsoStore;
  BandList& bandList;
  int32_t& startHour;     // hour 0..23 of the contest start; tour 1 begins
  int32_t& lastTour;      // tour of the QSO most recently offered
  int32_t& cabrilloFlag;  // non-zero: Cabrillo output requested at reset
  std::string& ownMultCode;
  std::string& ownGroupCode;
};

}  // namespace stats
