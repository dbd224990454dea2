#include "stats/tour.h"

#include "stats/contest_facts.h"

namespace stats {

// The "%H" text of a convertible date-time is its hour in two digits; every
// other date-time formats to a text without digits, which reads as 0.
int32_t HourOf(const platform::COleDateTime& time) {
  const int hour = time.GetHour();
  return hour < 0 ? 0 : hour;
}

int32_t TourOfHour(int32_t hour, int32_t startHour) {
  const int64_t offset = int64_t{hour} - startHour;
  if (offset < 0 || offset >= int64_t{kTourCount} * kTourHours) return 0;
  return static_cast<int32_t>(offset / kTourHours + 1);
}

}  // namespace stats
