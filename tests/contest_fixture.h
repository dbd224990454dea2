#pragma once

#include <cstdint>
#include <string>

#include "stats/contest.h"

namespace testing_support {

// A contest state of a test's own, zero and empty like the module's at load.
struct ContestFixture {
  stats::QsoStore store;
  stats::BandList bands;
  int32_t startHour = 0;
  int32_t lastTour = 0;
  int32_t cabrilloFlag = 0;
  std::string ownMultCode;
  std::string ownGroupCode;
  stats::Contest contest{store,        bands,       startHour,   lastTour,
                         cabrilloFlag, ownMultCode, ownGroupCode};
};

// OLE date of 2026-12-19 at hour:minute.
inline double ContestDay(int hour, int minute = 0) {
  return 46375.0 + (hour * 60 + minute) / 1440.0;
}

}  // namespace testing_support
