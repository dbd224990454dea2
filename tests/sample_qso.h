#pragma once

#include <cstdint>

#include "stats/qso_fields.h"

namespace testing_support {

struct SampleQsoTypes {
  using Text = const char*;
  using Time = double;  // an OLE date, valid
  using Hz = uint32_t;
};

// A QSO that the plug-in accepts: UR5AA worked by UT1AA on 20m CW at
// 2026-12-19 12:00, multiplier code CD, group G1. In list order.
static_assert(stats::kQsoFieldCount == 12, "a new field of a QSO needs its sample value here");
inline constexpr stats::QsoFields<SampleQsoTypes> kSampleQso = {
    "UT1AA", "UR5AA", 46375.5, 14025000, "CW", "599", "579", "001AB", "015CD", "CD", "G1", "20m"};

}  // namespace testing_support
