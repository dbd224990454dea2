// The call check against the real clock, pinned by the test runner to
// 2026-12-19 14:25 UTC (in any time zone): tour 2 of a contest that started
// at 12:00, minute 25 of the hour.

#include <gtest/gtest.h>

#include "tests/contract_calls.h"
#include "tests/test_support.h"

namespace {

using testing_support::PluginUnderTest;
using testing_support::QsoCallArgs;
using testing_support::SampleQso;

struct ClockCase {
  const char* name;
  const char* storedMode;
  int hour, minute;  // stored QSO time
  const char* call;  // stored call
  int32_t expected;  // CheckCall0 for UR5AA, CW, code CD, 20m
};

class ClockContractTest : public ::testing::TestWithParam<ClockCase> {};

TEST_P(ClockContractTest, JudgesAgainstTheUtcClock) {
  const ClockCase& c = GetParam();
  PluginUnderTest& p = PluginUnderTest::Get();
  testing_support::ScopedWorkDir dir;
  testing_support::Reset(p, 0, nullptr, StatsDateTime{46375.5, 0}, "AB", "G1");
  QsoCallArgs q = SampleQso();
  q.call = c.call;
  q.mode = c.storedMode;
  q.time = StatsDateTime{46375.0 + (c.hour * 60 + c.minute) / 1440.0, 0};
  ASSERT_EQ(Add(p, q), 1);
  EXPECT_EQ(Check(p, "UR5AA", "CW", "CD", "20m"), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    PinnedClock, ClockContractTest,
    ::testing::Values(
        // The minute of the window is the UTC minute, also where the local
        // offset is not a whole hour (local minute 55 in UTC+5:30).
        ClockCase{"other mode, same half hour", "SSB", 14, 10, "UR5AA", 0},
        ClockCase{"other mode, other half hour: no repeat, known key", "SSB", 14, 40, "UR5AA", 1},
        ClockCase{"other mode, previous hour 35 min ago", "SSB", 13, 50, "UR5AA", 2},
        ClockCase{"other mode, previous hour 29 min ago", "SSB", 13, 56, "UR5AA", 0},
        ClockCase{"same mode, this tour", "CW", 14, 0, "UR5AA", 0},
        ClockCase{"same mode, tour 1", "CW", 12, 30, "UR5AA", 2},
        ClockCase{"other call, same key this tour", "SSB", 15, 59, "UT7XX", 1},
        ClockCase{"other call, key of tour 1", "SSB", 13, 0, "UT7XX", 2}));

}  // namespace
