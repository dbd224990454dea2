#include "stats/tour.h"

#include "stats/decimal_value.h"

int32_t HourOf(const COleDateTime& time) {
  return DecimalValue(time.Format("%H"));
}

int32_t TourOfHour(int32_t hour, int32_t startHour) {
  const int64_t offset = int64_t{hour} - startHour;
  if (offset < 0 || offset > 7) return 0;
  return static_cast<int32_t>(offset / 2 + 1);
}
