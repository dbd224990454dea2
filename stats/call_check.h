#pragma once

#include <cstdint>
#include <string>

#include "platform/clock.h"
#include "stats/contest.h"

namespace stats {

// The QSO being entered, as the host describes it before logging.
struct CallProbe {
  std::string call;
  std::string mode;
  std::string multCode;
  std::string band;
};

enum CallCheckResult : int32_t { kRepeat = 0, kNoNewMultiplier = 1, kNewMultiplier = 2 };

// Judges `probe` against the store at the UTC time `now` (one reading of the
// clock serves the whole check): kRepeat when a stored QSO with the same call
// on the same band covers it (same mode in the current tour, or the other
// mode within the current half hour), else kNoNewMultiplier when a stored
// QSO on that band carries the probe's multiplier key, else kNewMultiplier.
int32_t CheckCall(const Contest& contest, const CallProbe& probe,
                  const platform::UtcTime& now);

// 1 when `exchange` is three ASCII digits then two ASCII letters and
// `fieldIndex` is 0, else 0.
int32_t IsValidExchange(const std::string& exchange, int32_t fieldIndex);

}  // namespace stats
