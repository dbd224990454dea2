// The call check of the statistics core against the linear rules at fixed
// clock readings: every hour of the day and the minutes around the
// half-hour bounds, on stores built by ingest and thinned by removals.

#include <random>

#include <gtest/gtest.h>

#include "stats/call_check.h"
#include "stats/ingest.h"
#include "tests/contest_fixture.h"
#include "tests/generated_logs.h"
#include "tests/reference_model.h"
#include "tests/test_support.h"

using stats::AddQso;
using stats::CallProbe;
using stats::CheckCall;
using stats::ErrorReport;
using stats::RemoveQso;
using stats::ResetContest;
using stats::ResetInput;

namespace {

using testing_support::GenerateLog;
using testing_support::InputOf;
using testing_support::LogKind;
using testing_support::OwnedQso;

struct CheckCase {
  const char* name;
  LogKind kind;
  uint32_t seed;
  std::size_t count;
  double start;  // OLE date of the contest start
};

class CallCheckEquivalenceTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CallCheckEquivalenceTest, AgreesAtEveryClockReading) {
  const CheckCase& c = GetParam();
  const testing_support::GeneratedLog log = GenerateLog(c.kind, c.seed, c.count, c.start);
  testing_support::ScopedWorkDir dir;
  testing_support::ContestFixture f;
  testing_support::LinearModel model;
  const ErrorReport report("err.txt", platform::SystemFileAppender());
  ResetInput reset;
  reset.start = log.start;
  reset.ownMultCode = log.ownMultCode;
  reset.ownGroupCode = log.ownGroupCode;
  ResetContest(f.contest, reset, report);
  model.Reset(reset);

  std::mt19937 random(c.seed);
  for (const OwnedQso& q : log.qsos) {
    ASSERT_EQ(AddQso(f.contest, InputOf(q), report), model.Add(InputOf(q)));
    if (random() % 10 == 0) {
      const stats::QsoInput gone = InputOf(log.qsos[random() % log.qsos.size()]);
      ASSERT_EQ(RemoveQso(f.contest, gone), model.Remove(gone));
    }
  }
  ASSERT_EQ(f.store.Count(), model.Store().size());

  int answers[3] = {0, 0, 0};
  for (int hour = 0; hour < 24; ++hour) {
    for (int minute : {0, 1, 14, 29, 30, 31, 44, 59}) {
      platform::UtcTime now;
      now.hour = hour;
      now.minute = minute;
      for (int k = 0; k < 40; ++k) {
        const OwnedQso& q = log.qsos[random() % log.qsos.size()];
        const char* modes[] = {"CW", "SSB", "cw"};
        const std::string call = k % 7 == 0 ? q.call + "X" : q.call;
        const CallProbe probe{call, modes[random() % 3], q.multCode, q.band};
        const int32_t expected = model.CheckCall(probe, now);
        ASSERT_EQ(CheckCall(f.contest, probe, now), expected)
            << probe.call << " " << probe.mode << " " << probe.band << " at " << hour << ":"
            << minute;
        ++answers[expected];
      }
    }
  }
  EXPECT_GT(answers[0], 0) << "repeats";
  EXPECT_GT(answers[1], 0) << "known multipliers";
  EXPECT_GT(answers[2], 0) << "new multipliers";
}

INSTANTIATE_TEST_SUITE_P(
    Logs, CallCheckEquivalenceTest,
    ::testing::Values(CheckCase{"Sparse", LogKind::kSparse, 4, 1500, 46375.5},
                      CheckCase{"Dense", LogKind::kDense, 5, 3000, 46375.5},
                      CheckCase{"DenseLateStart", LogKind::kDense, 6, 2000, 46375.0 + 20 / 24.0}),
    [](const ::testing::TestParamInfo<CheckCase>& info) { return info.param.name; });

}  // namespace
