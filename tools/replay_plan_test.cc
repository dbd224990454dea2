#include "tools/replay_plan.h"

#include <string>

#include "gtest/gtest.h"
#include "tools/adif_values.h"

namespace tools {
namespace {

double Ole(const char* date, int hour, int minute = 0, int second = 0) {
  CivilDate civil;
  std::string problem;
  EXPECT_TRUE(ParseAdifDate(date, &civil, &problem)) << problem;
  return ToOleDate(civil, TimeOfDay{hour, minute, second});
}

std::string Record(const std::string& fields) { return fields + " <EOR>\n"; }

const char kHeader[] = "test log\n<ADIF_VER:5>3.1.4 <EOH>\n";

TEST(ReplayPlanTest, ParsesContestStart) {
  const struct {
    const char* text;
    const char* date;
    int hour;
  } cases[] = {
      {"2026-12-19 12", "20261219", 12},
      {"20261219 0", "20261219", 0},
      {"2026-12-19 07", "20261219", 7},
      {"  2024-02-29   23  ", "20240229", 23},
  };
  for (const auto& c : cases) {
    StatsDateTime start{-1.0, 9};
    std::string problem;
    ASSERT_TRUE(ParseContestStart(c.text, &start, &problem)) << c.text << ": " << problem;
    EXPECT_DOUBLE_EQ(start.value, Ole(c.date, c.hour)) << c.text;
    EXPECT_EQ(start.status, 0) << c.text;
  }
}

TEST(ReplayPlanTest, RefusesMalformedContestStart) {
  const struct {
    const char* text;
    const char* fragment;
  } cases[] = {
      {"", "date and an hour"},
      {"2026-12-19", "date and an hour"},
      {"12", "date and an hour"},
      {"2026-12-19 24", "0-23"},
      {"2026-12-19 1a", "0-23"},
      {"2026-12-19 -1", "0-23"},
      {"2026-12-19 012", "0-23"},
      {"2026-12-19 12:00", "0-23"},
      {"2025-02-29 12", "2025-02-29"},
      {"19.12.2026 12", "19.12.2026"},
  };
  for (const auto& c : cases) {
    StatsDateTime start{1.5, 0};
    std::string problem;
    EXPECT_FALSE(ParseContestStart(c.text, &start, &problem)) << c.text;
    EXPECT_NE(problem.find(c.fragment), std::string::npos) << c.text << ": " << problem;
    EXPECT_EQ(start.value, 1.5) << c.text;
  }
}

TEST(ReplayPlanTest, TakesDefaultsFromTheFirstRecord) {
  // The first record is not the earliest: the start follows log order.
  const std::string log =
      kHeader +
      Record("<CALL:5>UR5AA <QSO_DATE:8>20261219 <TIME_ON:6>134759 <STX_STRING:5>001KI "
             "<SRX_STRING:5>015CD <OPERATOR:5>UT1OP <MODE:2>CW") +
      Record("<CALL:5>UT2BB <QSO_DATE:8>20261219 <TIME_ON:4>1205 <STX_STRING:5>002ZZ "
             "<STATION_CALLSIGN:6>UT9ZZQ");
  ReplayPlan plan;
  std::string problem;
  ASSERT_TRUE(PlanReplay(log, ReplayOptions(), &plan, &problem)) << problem;
  ASSERT_EQ(plan.qsos.size(), 2u);
  EXPECT_EQ(plan.qsos[0].call, "UR5AA");
  EXPECT_EQ(plan.qsos[1].call, "UT2BB");
  EXPECT_DOUBLE_EQ(plan.start.value, Ole("20261219", 13));
  EXPECT_EQ(plan.start.status, 0);
  EXPECT_EQ(plan.ownCall, "UT1OP");  // OPERATOR: the first record has no STATION_CALLSIGN
  EXPECT_EQ(plan.ownMultCode, "KI");
  EXPECT_EQ(plan.ownGroupCode, "");
  EXPECT_FALSE(plan.cabrillo);
}

TEST(ReplayPlanTest, PrefersStationCallsignAndOptions) {
  const std::string log =
      kHeader + Record("<CALL:5>UR5AA <QSO_DATE:8>20261219 <TIME_ON:4>1347 "
                       "<STATION_CALLSIGN:6>UT9ZZQ <OPERATOR:5>UT1OP <STX_STRING:5>001KI "
                       "<APP_M:2>XY <APP_G:2>G4 <SRX_STRING:5>015CD");
  ReplayPlan plan;
  std::string problem;
  ASSERT_TRUE(PlanReplay(log, ReplayOptions(), &plan, &problem)) << problem;
  EXPECT_EQ(plan.ownCall, "UT9ZZQ");

  ReplayOptions options;
  options.start = StatsDateTime{Ole("20261218", 22), 0};
  options.ownCall = "";
  options.ownMultCode = "";
  options.ownGroupCode = "G2";
  options.fields = AdifQsoFields{"app_m", "APP_G"};
  options.cabrillo = true;
  ASSERT_TRUE(PlanReplay(log, options, &plan, &problem)) << problem;
  EXPECT_DOUBLE_EQ(plan.start.value, Ole("20261218", 22));
  EXPECT_EQ(plan.ownCall, "");  // given empty on purpose
  EXPECT_EQ(plan.ownMultCode, "");
  EXPECT_EQ(plan.ownGroupCode, "G2");
  EXPECT_TRUE(plan.cabrillo);
  ASSERT_EQ(plan.qsos.size(), 1u);
  EXPECT_EQ(plan.qsos[0].multCode, "XY");
  EXPECT_EQ(plan.qsos[0].group, "G4");
}

TEST(ReplayPlanTest, EmptyLogHasNullStart) {
  ReplayPlan plan;
  std::string problem;
  ASSERT_TRUE(PlanReplay(kHeader, ReplayOptions(), &plan, &problem)) << problem;
  EXPECT_TRUE(plan.qsos.empty());
  EXPECT_EQ(plan.start.status, 2);
  EXPECT_EQ(plan.ownCall, "");
  EXPECT_EQ(plan.ownMultCode, "");
}

TEST(ReplayPlanTest, NamesRecordAndFieldOfTheFirstFault) {
  const std::string good = Record("<CALL:5>UR5AA <QSO_DATE:8>20261219 <TIME_ON:4>1347");
  const struct {
    std::string log;
    const char* expected;
  } cases[] = {
      {"plain text, no tags", "before the first record: not an ADIF file: no tags found"},
      {kHeader + good + Record("<QSO_DATE:8>20261219 <TIME_ON:4>1347"),
       "record 2, field CALL: worked callsign is missing"},
      {kHeader + good + good + Record("<CALL:2>UR <QSO_DATE:8>20261319 <TIME_ON:4>1347"),
       "record 3, field QSO_DATE:"},
      {kHeader + Record("<CALL:2>UR <QSO_DATE:8>20261219"), "record 1, field TIME_ON:"},
      {kHeader + good + Record("<CALL:2>UR <QSO_DATE:8>20261219 <TIME_ON:4>1347 <FREQ:2>7,"),
       "record 2, field FREQ:"},
      {kHeader + good + "<CALL:9>UR <EOR>", "record 2, field CALL: length runs past"},
      {kHeader + good + "<CALL:-1>UR <EOR>", "record 2, field CALL: length is negative"},
      // A fault after faultless records still stops the whole log.
      {kHeader + good + good + good + "<CALL:2>UR", "record 4, field CALL:"},
  };
  for (const auto& c : cases) {
    ReplayPlan plan;
    std::string problem;
    EXPECT_FALSE(PlanReplay(c.log, ReplayOptions(), &plan, &problem)) << c.log;
    EXPECT_EQ(problem.rfind(c.expected, 0), 0u) << problem;
  }
}

}  // namespace
}  // namespace tools
