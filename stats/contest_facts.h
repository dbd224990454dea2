#pragma once

// The CQ UT CONTEST's facts, written once for every layer: the plug-in's
// core, the Cabrillo writer, the exports, the host stand-in in tools/, the
// tests' reference model and the benchmarks. Constants, and the tools'
// tour arithmetic on them; it includes <cstdint> and the contest's name
// (stats/contest_name.h, which the resource scripts read too) and nothing
// of the core, so that tools/ may include it without reaching the core.

#include <cstdint>

#include "stats/contest_name.h"

namespace stats {

// The statistics set's name (STATS_CONTEST_NAME for texts put together at
// compile time).
inline constexpr char kContestName[] = STATS_CONTEST_NAME;
// The title line of the results text, spelt as the results window shows it.
inline constexpr char kResultsTitle[] = "CQ UT  Contest";

// Four tours of two hours from the start hour, within the day: a QSO's tour
// follows from its hour only.
inline constexpr int32_t kTourHours = 2;
inline constexpr int32_t kTourCount = 4;
inline constexpr int32_t kTourMinutes = kTourHours * 60;
inline constexpr int32_t kContestMinutes = kTourCount * kTourMinutes;

// The tools' tour of a moment `minutes` after the contest's start: 1 to
// kTourCount inside the four tours, kOutsideTours before or after them.
// (The plug-in keys a QSO by the tour of its hour alone.)
inline constexpr int32_t kOutsideTours = 0;
constexpr int32_t TourOfMinutes(long long minutes) {
  return minutes < 0 || minutes >= kContestMinutes
             ? kOutsideTours
             : static_cast<int32_t>(minutes / kTourMinutes) + 1;
}

// Points of a QSO: with the own multiplier key of the latest tour, else with
// the own group, else any other.
inline constexpr int32_t kOwnKeyPoints = 10;
inline constexpr int32_t kOwnGroupPoints = 30;
inline constexpr int32_t kOtherPoints = 60;

// What one multiplier is worth on a band; every other band scores none.
struct BandWeight {
  const char* band;
  int32_t weight;
};
inline constexpr BandWeight kBandWeights[] = {
    {"80m", 80}, {"40m", 40}, {"20m", 20}, {"15m", 15}, {"10m", 10}};

// The call check's window for a QSO in the other mode: minutes of the
// clock's half hour.
inline constexpr int32_t kHalfHourMinutes = 30;
inline constexpr int32_t kHourMinutes = 60;

// The settings file, shared by the results (the claimed score) and the
// Cabrillo header, relative to the host's current folder.
inline constexpr char kSettingsPath[] = "Plugins\\TAVIN.ini";
inline constexpr char kSettingsSection[] = "Settings";

// The error report of refused QSOs, relative to the host's current folder.
inline constexpr char kErrorReportPath[] = "err.txt";

}  // namespace stats
