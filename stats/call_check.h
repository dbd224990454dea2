#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/plugin/clock.h"
#include "stats/contest.h"

namespace stats {

// The QSO being entered, as the host describes it before logging: views of
// texts that stay put for the call.
struct CallProbe {
  std::string_view call;
  std::string_view mode;
  std::string_view multCode;
  std::string_view band;
};

enum CallCheckResult : int32_t { kRepeat = 0, kNoNewMultiplier = 1, kNewMultiplier = 2 };

// Judges `probe` against the store at the UTC time `now` (one reading of the
// clock serves the whole check): kRepeat when a stored QSO with the same call
// on the same band covers it, else kNoNewMultiplier when a stored QSO on that
// band carries the probe's multiplier key, else kNewMultiplier. A QSO in the
// same mode covers the probe when it is in the tour of `now`; one in the
// other mode when it is in the half-hour window of `now`: in the same half
// (minutes 0 to 29, or 30 to 59) of the same hour, or at most 29 minutes
// earlier across the bound between them (`now` from minute 31 on) or across
// the full hour (stored from minute 31 of the hour before, `now` before
// minute 30). So 14:10 counts at 14:39 but not at 14:40, and 13:45 counts
// at 14:10. Only hour numbers are compared: a QSO of an earlier day at the
// same hour counts alike, and one of hour 23 never counts at hour 0.
int32_t CheckCall(const Contest& contest, const CallProbe& probe, const platform::UtcTime& now);

// 1 when `exchange` is three ASCII digits then two ASCII letters and
// `fieldIndex` is 0, else 0.
int32_t IsValidExchange(const std::string& exchange, int32_t fieldIndex);

}  // namespace stats
