#include "stats/call_check.h"

#include <gtest/gtest.h>

#include "tests/contest_fixture.h"

using platform::COleDateTime;

namespace stats {
namespace {

using testing_support::ContestDay;

platform::UtcTime At(int hour, int minute) {
  platform::UtcTime t;
  t.year = 2026;
  t.month = 12;
  t.day = 19;
  t.hour = hour;
  t.minute = minute;
  return t;
}

CInfo Stored(const char* call, const char* mode, const char* band, double time, int32_t tour,
             const char* key = "ZZ9") {
  CInfo r;
  r.m_call = call;
  r.m_mode = mode;
  r.m_band = band;
  r.m_time = COleDateTime(time, COleDateTime::valid);
  r.m_tour = tour;
  r.m_multKey = key;
  return r;
}

struct WindowCase {
  const char* name;
  double storedAt;  // OLE date of the stored other-mode QSO
  int clockHour;
  int clockMinute;
  int32_t expected;
};

class HalfHourWindowTest : public ::testing::TestWithParam<WindowCase> {};

// A stored SSB QSO with the same call and band; the probe is CW, so only
// the half-hour window can make it a repeat. Start hour 0 puts clock hours
// 8..23 in tour 0, and the stored key never matches: 2 means no repeat.
TEST_P(HalfHourWindowTest, OtherModeRepeatsWithinTheHalfHour) {
  const WindowCase& c = GetParam();
  testing_support::ContestFixture f;
  f.store.Append(Stored("UR5AA", "SSB", "20m", c.storedAt, 0));
  const CallProbe probe{"UR5AA", "CW", "CD", "20m"};
  EXPECT_EQ(CheckCall(f.contest, probe, At(c.clockHour, c.clockMinute)), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, HalfHourWindowTest,
    ::testing::Values(
        WindowCase{"both in first half", ContestDay(14, 10), 14, 25, kRepeat},
        WindowCase{"both in second half", ContestDay(14, 40), 14, 55, kRepeat},
        WindowCase{"clock 30, stored 30", ContestDay(14, 30), 14, 30, kRepeat},
        WindowCase{"clock 31, stored 10 (21 min)", ContestDay(14, 10), 14, 31, kRepeat},
        WindowCase{"clock exactly 30, stored 10", ContestDay(14, 10), 14, 30, kNewMultiplier},
        WindowCase{"clock 45, stored 10 (35 min)", ContestDay(14, 10), 14, 45, kNewMultiplier},
        WindowCase{"clock 39, stored 10 (29 min)", ContestDay(14, 10), 14, 39, kRepeat},
        WindowCase{"clock 40, stored 10 (30 min)", ContestDay(14, 10), 14, 40, kNewMultiplier},
        WindowCase{"clock 10, stored 40", ContestDay(14, 40), 14, 10, kNewMultiplier},
        WindowCase{"previous hour 45, clock 10", ContestDay(13, 45), 14, 10, kRepeat},
        WindowCase{"previous hour 45, clock 20", ContestDay(13, 45), 14, 20, kNewMultiplier},
        WindowCase{"previous hour 31, clock 0", ContestDay(13, 31), 14, 0, kRepeat},
        WindowCase{"previous hour 30, clock 0", ContestDay(13, 30), 14, 0, kNewMultiplier},
        WindowCase{"previous hour 50, clock 30", ContestDay(13, 50), 14, 30, kNewMultiplier},
        WindowCase{"two hours back", ContestDay(12, 50), 14, 5, kNewMultiplier},
        WindowCase{"across midnight", ContestDay(23, 50), 0, 5, kNewMultiplier},
        WindowCase{"earlier day, same hour and half", ContestDay(14, 10) - 3.0, 14, 20, kRepeat},
        WindowCase{"later hour stored", ContestDay(15, 10), 14, 20, kNewMultiplier}));

class CallCheckTest : public ::testing::Test {
 protected:
  int32_t Check(const char* call, const char* mode, const char* band, int hour, int minute = 0,
                const char* code = "CD") {
    return CheckCall(m_f.contest, CallProbe{call, mode, code, band}, At(hour, minute));
  }
  testing_support::ContestFixture m_f;
};

TEST_F(CallCheckTest, EmptyStoreBringsANewMultiplier) {
  EXPECT_EQ(Check("UR5AA", "CW", "20m", 12), kNewMultiplier);
}

TEST_F(CallCheckTest, SameModeRepeatsInTheSameTourOnly) {
  m_f.startHour = 12;
  m_f.store.Append(Stored("UR5AA", "CW", "20m", ContestDay(12, 5), 1, "CD1"));
  EXPECT_EQ(Check("UR5AA", "CW", "20m", 13, 59), kRepeat);
  EXPECT_EQ(Check("UR5AA", "CW", "20m", 14), kNewMultiplier) << "tour 2";
  EXPECT_EQ(Check("UR5AA", "CW", "40m", 12, 6), kNewMultiplier) << "other band";
  EXPECT_EQ(Check("ur5aa", "CW", "20m", 12, 6), kNoNewMultiplier) << "other call";
}

TEST_F(CallCheckTest, InvalidStoredTimeStillRepeatsByTour) {
  CInfo r = Stored("UR5AA", "CW", "20m", 0.0, 1);
  r.m_time = COleDateTime(0.0, COleDateTime::invalid);
  m_f.store.Append(r);
  EXPECT_EQ(Check("UR5AA", "CW", "20m", 0, 10), kRepeat);
  EXPECT_EQ(Check("UR5AA", "SSB", "20m", 0, 10), kNewMultiplier);
  EXPECT_EQ(Check("UR5AA", "SSB", "20m", 1, 10), kNewMultiplier);
}

TEST_F(CallCheckTest, MultiplierPassComparesBandAndKeyNotMode) {
  m_f.startHour = 12;
  m_f.store.Append(Stored("UT7XX", "SSB", "20m", ContestDay(14, 5), 2, "CD2"));
  EXPECT_EQ(Check("UR5AA", "CW", "20m", 15), kNoNewMultiplier);
  EXPECT_EQ(Check("UR5AA", "CW", "20m", 16), kNewMultiplier) << "tour 3: key CD3";
  EXPECT_EQ(Check("UR5AA", "CW", "40m", 15), kNewMultiplier);
  EXPECT_EQ(Check("UR5AA", "CW", "20m", 15, 0, "EF"), kNewMultiplier);
}

TEST_F(CallCheckTest, StartHourZeroBeforeAnyReset) {
  m_f.store.Append(Stored("UT7XX", "SSB", "20m", ContestDay(3), 2, "CD4"));
  m_f.store.Append(Stored("UT8XX", "SSB", "20m", ContestDay(9), 0, "EF0"));
  EXPECT_EQ(Check("UR5AA", "CW", "20m", 6), kNoNewMultiplier);
  EXPECT_EQ(Check("UR5AA", "CW", "20m", 23, 0, "EF"), kNoNewMultiplier);
  EXPECT_EQ(Check("UR5AA", "CW", "20m", 5), kNewMultiplier);
}

TEST_F(CallCheckTest, RepeatWinsOverMultiplier) {
  m_f.store.Append(Stored("UT7XX", "SSB", "20m", ContestDay(14, 5), 0, "CD0"));
  m_f.store.Append(Stored("UR5AA", "CW", "20m", ContestDay(14, 5), 0, "XX0"));
  EXPECT_EQ(Check("UR5AA", "CW", "20m", 20), kRepeat);
}

struct ExchangeCase {
  const char* text;
  int32_t field;
  int32_t valid;
};

class ExchangeTest : public ::testing::TestWithParam<ExchangeCase> {};

TEST_P(ExchangeTest, ThreeDigitsThenTwoLetters) {
  EXPECT_EQ(IsValidExchange(GetParam().text, GetParam().field), GetParam().valid)
      << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Table, ExchangeTest,
                         ::testing::Values(ExchangeCase{"123AB", 0, 1}, ExchangeCase{"123ab", 0, 1},
                                           ExchangeCase{"000Zz", 0, 1}, ExchangeCase{"12AB3", 0, 0},
                                           ExchangeCase{"123A", 0, 0}, ExchangeCase{"123ABC", 0, 0},
                                           ExchangeCase{"", 0, 0}, ExchangeCase{"123AB", 1, 0},
                                           ExchangeCase{"123AB", -1, 0},
                                           ExchangeCase{"123A\xC4", 0, 0},
                                           ExchangeCase{"123\xE9"
                                                        "B",
                                                        0, 0},
                                           ExchangeCase{"1 3AB", 0, 0}, ExchangeCase{"123A1", 0, 0},
                                           ExchangeCase{"123[@", 0, 0}));

}  // namespace
}  // namespace stats
