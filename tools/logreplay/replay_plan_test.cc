#include "tools/logreplay/replay_plan.h"

#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "tools/adif/adif_values.h"

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
      {"", "date and an hour"},        {"2026-12-19", "date and an hour"},
      {"12", "date and an hour"},      {"2026-12-19 24", "0-23"},
      {"2026-12-19 1a", "0-23"},       {"2026-12-19 -1", "0-23"},
      {"2026-12-19 012", "0-23"},      {"2026-12-19 12:00", "0-23"},
      {"2025-02-29 12", "2025-02-29"}, {"19.12.2026 12", "19.12.2026"},
  };
  for (const auto& c : cases) {
    StatsDateTime start{1.5, 0};
    std::string problem;
    EXPECT_FALSE(ParseContestStart(c.text, &start, &problem)) << c.text;
    EXPECT_NE(problem.find(c.fragment), std::string::npos) << c.text << ": " << problem;
    EXPECT_EQ(start.value, 1.5) << c.text;
  }
}

TEST(ReplayPlanTest, TakesDefaultsFromTheEarliestQsoAndSaysSo) {
  // The first record is not the earliest: the QSOs go in time order, and
  // the defaults come from the earliest.
  const std::string log =
      kHeader +
      Record(
          "<CALL:5>ur5aa <QSO_DATE:8>20261219 <TIME_ON:6>134759 <STX_STRING:5>001KI "
          "<SRX_STRING:6>015 cd <OPERATOR:5>UT1OP <MODE:2>CW <BAND:3>20m") +
      Record(
          "<CALL:5>UT2BB <QSO_DATE:8>20261219 <TIME_ON:4>1205 <STX_STRING:6>002 zz "
          "<STATION_CALLSIGN:6>ut9zzq <BAND:3>20m");
  ReplayPlan plan;
  std::string problem;
  ASSERT_TRUE(PlanReplay(log, ReplayOptions(), &plan, &problem)) << problem;
  ASSERT_EQ(plan.qsos.size(), 2u);
  EXPECT_EQ(plan.qsos[0].call, "UT2BB");
  EXPECT_EQ(plan.qsos[1].call, "UR5AA");
  EXPECT_EQ(plan.qsos[1].exchRcvd, "015CD");
  EXPECT_EQ(plan.qsos[1].multCode, "CD");
  EXPECT_DOUBLE_EQ(plan.start.value, Ole("20261219", 12));
  EXPECT_EQ(plan.start.status, 0);
  EXPECT_EQ(plan.ownCall, "UT9ZZQ");  // STATION_CALLSIGN of the earliest, upper case
  EXPECT_EQ(plan.ownMultCode, "ZZ");
  EXPECT_EQ(plan.ownGroupCode, "");
  EXPECT_FALSE(plan.cabrillo);
  std::string settings;
  for (const PlanSetting& s : plan.settings) {
    settings += s.name + "=" + s.value + " (" + s.source + ")\n";
  }
  EXPECT_EQ(
      settings,
      "own call=UT9ZZQ (log field STATION_CALLSIGN, record 2)\n"
      "own multiplier code=ZZ (derived from the sent exchange 002ZZ, record 2)\n"
      "own group code= (no --own-group)\n"
      "contest start=2026-12-19 12:00 UTC (derived: the hour of the first QSO, record 2)\n"
      "QSO order=time order (sorted by QSO time: 1 record moved, the first of them record 2)\n"
      "multiplier codes=from each received exchange (the letters after its digits)\n"
      "group codes= (no --group-field)\n");
  ASSERT_EQ(plan.warnings.size(), 2u);
  EXPECT_EQ(plan.warnings[0],
            "the log is not in time order: its QSOs are offered in time order (1 record moved, "
            "the first of them record 2)");
  EXPECT_EQ(plan.warnings[1].rfind("no --group-field: every group code is empty and equals", 0),
            0u);
}

// The records that moved are those outside a longest run already in time
// order: one misplaced QSO is one record moved, not every QSO it passed.
TEST(ReplayPlanTest, OffersInTimeOrderAndCountsTheRecordsThatMoved) {
  const struct {
    std::vector<const char*> times;  // TIME_ON of records 1, 2, ...
    std::string calls;               // as offered
    std::string order;               // the QSO order setting's source
  } cases[] = {
      {{"1200", "1201", "1202"}, "ABC", "the log's own order"},
      {{"1200", "1200", "1200"}, "ABC", "the log's own order"},
      {{"1201", "1200"}, "BA", "sorted by QSO time: 1 record moved, the first of them record 2"},
      {{"1300", "1200", "1201", "1202"},
       "BCDA",
       "sorted by QSO time: 1 record moved, the first of them record 1"},
      {{"1201", "1202", "1203", "1200"},
       "DABC",
       "sorted by QSO time: 1 record moved, the first of them record 4"},
      {{"1203", "1202", "1201", "1200"},
       "DCBA",
       "sorted by QSO time: 3 records moved, the first of them record 2"},
      {{"1200", "1202", "1202", "1201"},
       "ADBC",
       "sorted by QSO time: 1 record moved, the first of them record 4"},
  };
  for (const auto& c : cases) {
    std::string log = kHeader;
    for (size_t i = 0; i < c.times.size(); ++i) {
      log += Record(std::string("<CALL:1>") + char('A' + i) + " <QSO_DATE:8>20261219 <TIME_ON:4>" +
                    c.times[i] + " <BAND:3>20m <STX_STRING:5>001KI <OPERATOR:4>UT1A");
    }
    ReplayPlan plan;
    std::string problem;
    ASSERT_TRUE(PlanReplay(log, ReplayOptions(), &plan, &problem)) << problem;
    std::string calls;
    for (const AdifQso& qso : plan.qsos) calls += qso.call;
    EXPECT_EQ(calls, c.calls) << c.order;
    EXPECT_EQ(plan.settings[4].source, c.order);
  }
}

TEST(ReplayPlanTest, PrefersStationCallsignAndOptions) {
  const std::string log =
      kHeader + Record(
                    "<CALL:5>UR5AA <QSO_DATE:8>20261219 <TIME_ON:4>1347 <BAND:3>40M "
                    "<STATION_CALLSIGN:6>UT9ZZQ <OPERATOR:5>UT1OP <STX_STRING:5>001KI "
                    "<APP_M:2>xy <APP_G:3>g4  <SRX_STRING:5>015CD");
  ReplayPlan plan;
  std::string problem;
  ASSERT_TRUE(PlanReplay(log, ReplayOptions(), &plan, &problem)) << problem;
  EXPECT_EQ(plan.ownCall, "UT9ZZQ");

  ReplayOptions options;
  options.start = StatsDateTime{Ole("20261219", 12), 0};
  options.ownCall = "";
  options.ownMultCode = "";
  options.ownGroupCode = "g2";
  options.fields = AdifQsoFields{"app_m", "APP_G"};
  options.cabrillo = true;
  ASSERT_TRUE(PlanReplay(log, options, &plan, &problem)) << problem;
  EXPECT_DOUBLE_EQ(plan.start.value, Ole("20261219", 12));
  EXPECT_EQ(plan.ownCall, "");  // given empty on purpose
  EXPECT_EQ(plan.ownMultCode, "");
  EXPECT_EQ(plan.ownGroupCode, "G2");
  EXPECT_TRUE(plan.cabrillo);
  ASSERT_EQ(plan.qsos.size(), 1u);
  EXPECT_EQ(plan.qsos[0].multCode, "XY");
  EXPECT_EQ(plan.qsos[0].group, "G4");
  EXPECT_TRUE(plan.warnings.empty());
  for (const PlanSetting& setting : plan.settings) {
    EXPECT_EQ(setting.source.find("derived"), std::string::npos) << setting.source;
  }
}

TEST(ReplayPlanTest, WarnsOfEachQsoWithoutAMultiplierCode) {
  const auto qso = [](const std::string& call, const std::string& rcvd) {
    return Record("<CALL:" + std::to_string(call.size()) + ">" + call +
                  " <QSO_DATE:8>20261219 <TIME_ON:4>1200 <BAND:3>20m <STX_STRING:5>001KI "
                  "<OPERATOR:4>UT1A <SRX_STRING:" +
                  std::to_string(rcvd.size()) + ">" + rcvd);
  };
  // An empty exchange is the plug-in's to refuse: no warning for it.
  const std::string log = kHeader + qso("UR5AA", "015CD") + qso("UR6AA", "022") + qso("UR7AA", "") +
                          qso("UR8AA", "7 cd");
  ReplayOptions options;
  options.ownGroupCode = "G3";
  options.fields.groupField = "CALL";
  ReplayPlan plan;
  std::string problem;
  ASSERT_TRUE(PlanReplay(log, options, &plan, &problem)) << problem;
  EXPECT_EQ(plan.warnings,
            (std::vector<std::string>{
                "record 2 (UR6AA): no multiplier code, its received exchange \"022\" has no "
                "letters after its digits; the plug-in counts the empty code as a multiplier"}));
}

TEST(ReplayPlanTest, WarnsOfQsosTheToursDoNotCoverAsLogged) {
  const auto qso = [](const char* date, const char* time) {
    return Record(std::string("<CALL:4>UT1A <QSO_DATE:8>") + date + " <TIME_ON:4>" + time +
                  " <BAND:3>20m <STX_STRING:5>001KI <OPERATOR:4>UT1A");
  };
  ReplayOptions options;
  options.start = StatsDateTime{Ole("20261219", 12), 0};
  options.fields.groupField = "CALL";  // present in every record: no group warning
  options.ownGroupCode = "G3";
  const std::string log = kHeader + qso("20261219", "1159") + qso("20261219", "1200") +
                          qso("20261219", "1959") + qso("20261219", "2000") +
                          qso("20261220", "1300") + qso("20261218", "1300");
  ReplayPlan plan;
  std::string problem;
  ASSERT_TRUE(PlanReplay(log, options, &plan, &problem)) << problem;
  EXPECT_EQ(plan.warnings,
            (std::vector<std::string>{
                "the log is not in time order: its QSOs are offered in time order (1 record "
                "moved, the first of them record 6)",
                "2 QSOs before the contest start 2026-12-19 12:00, the first in record 6",
                "2 QSOs after the four tours (from 2026-12-19 20:00 on), the first in record 4",
                "2 QSOs on another day than the start 2026-12-19 (the tours follow the hour "
                "only), the first in record 6"}));
}

TEST(ReplayPlanTest, SkipsBadRecordsOnlyWhenAsked) {
  const std::string good = Record(
      "<CALL:5>UR5AA <QSO_DATE:8>20261219 <TIME_ON:4>1347 <BAND:3>20m "
      "<STX_STRING:5>001KI <OPERATOR:4>UT1A");
  const std::string log = kHeader + good + Record("<CALL:2>UR <QSO_DATE:8>20261219") + good;
  ReplayOptions options;
  ReplayPlan plan;
  std::string problem;
  EXPECT_FALSE(PlanReplay(log, options, &plan, &problem));
  EXPECT_EQ(problem, "record 2, field TIME_ON: QSO time is missing");
  options.skipBad = true;
  ASSERT_TRUE(PlanReplay(log, options, &plan, &problem)) << problem;
  EXPECT_EQ(plan.qsos.size(), 2u);
  EXPECT_EQ(plan.warnings.at(0), "record 2, field TIME_ON: QSO time is missing; record skipped");
}

TEST(ReplayPlanTest, RefusesWhatItCannotTellAndNamesIt) {
  const std::string qso = "<CALL:5>UR5AA <QSO_DATE:8>20261219 <TIME_ON:4>1347 <BAND:3>20m ";
  const std::string full = qso + "<STX_STRING:5>001KI <OPERATOR:4>UT1A <APP_UT_GROUP:2>G1";
  const struct {
    std::string records;
    const char* multField;
    const char* groupField;
    bool ownGroup;
    bool skipBad;
    const char* expected;
  } cases[] = {
      {"", "", "", false, false, "the log holds no QSO records"},
      {Record("<CALL:2>UR"), "", "", false, true, "every record of the log was skipped"},
      {Record(full), "APP_UT_MLUT", "", false, false,
       "--mult-field APP_UT_MLUT: no record carries this field; the log's "
       "application-defined fields are APP_UT_GROUP"},
      {Record(full), "", "app_ut_gruop", true, false,
       "--group-field APP_UT_GRUOP: no record carries this field; the log's "
       "application-defined fields are APP_UT_GROUP"},
      {Record(qso + "<STX_STRING:5>001KI <OPERATOR:4>UT1A"), "", "APP_X", true, false,
       "--group-field APP_X: no record carries this field; the log has no "
       "application-defined (APP_) fields"},
      {Record(full), "", "APP_UT_GROUP", false, false,
       "own group code: the log does not tell it; give it with --own-group when naming "
       "--group-field"},
      {Record(qso + "<STX_STRING:5>001KI"), "", "", false, false,
       "own call: record 1 has neither STATION_CALLSIGN nor OPERATOR; give it with --own-call"},
      {Record(qso + "<STX:3>001 <OPERATOR:4>UT1A"), "", "", false, false,
       "own multiplier code: the sent exchange \"001\" of record 1 has no letters after its "
       "digits; give it with --own-mult"},
  };
  for (const auto& c : cases) {
    ReplayOptions options;
    options.fields = AdifQsoFields{c.multField, c.groupField};
    if (c.ownGroup) options.ownGroupCode = "G1";
    options.skipBad = c.skipBad;
    ReplayPlan plan;
    std::string problem;
    EXPECT_FALSE(PlanReplay(kHeader + c.records, options, &plan, &problem)) << c.expected;
    EXPECT_EQ(problem, c.expected);
  }
}

TEST(ReplayPlanTest, NamesRecordAndFieldOfTheFirstFault) {
  const std::string good = Record("<CALL:5>UR5AA <QSO_DATE:8>20261219 <TIME_ON:4>1347 <BAND:2>2m");
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
