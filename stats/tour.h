#pragma once

#include <cstdint>

#include "platform/framework/ole_date_time.h"

namespace stats {

// Hour 0..23 of a date-time as its "%H" text reads; 0 for a null or invalid
// date-time or one that has no calendar date.
int32_t HourOf(const platform::COleDateTime& time);

// Tour 1..kTourCount of `hour` for a contest that starts at `startHour`:
// kTourHours each from the start hour on; 0 outside them. Hours are not taken modulo
// 24, so tours that would run past midnight are never reached.
int32_t TourOfHour(int32_t hour, int32_t startHour);

}  // namespace stats
