#include "tools/replay/replay_plan.h"

#include <algorithm>
#include <sstream>
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

// The plan of `log` with `options`, which must succeed.
ReplayPlan Planned(const std::string& log, const ReplayOptions& options) {
  ReplayPlan plan;
  std::string problem;
  EXPECT_TRUE(PlanReplay(log, options, &plan, &problem)) << problem;
  return plan;
}

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
// Record n is the call Rn, with the operator OPn and the sent exchange
// 001 and two letters of n: the own values show which QSO came first.
TEST(ReplayPlanTest, OffersInTimeOrderAndCountsTheRecordsThatMoved) {
  const struct {
    const char* times;    // TIME_ON of records 1, 2, ...
    const char* offered;  // record numbers, as offered
    const char* order;    // the QSO order setting's source
  } cases[] = {
      {"1200 1201 1202", "1 2 3", "the log's own order"},
      {"1200 1200 1200", "1 2 3", "the log's own order"},
      {"1201 1200", "2 1", "sorted by QSO time: 1 record moved, the first of them record 2"},
      {"1300 1200 1201 1202", "2 3 4 1",
       "sorted by QSO time: 1 record moved, the first of them record 1"},
      {"1201 1202 1203 1200", "4 1 2 3",
       "sorted by QSO time: 1 record moved, the first of them record 4"},
      {"1203 1202 1201 1200", "4 3 2 1",
       "sorted by QSO time: 3 records moved, the first of them record 2"},
      {"1200 1202 1202 1201", "1 4 2 3",
       "sorted by QSO time: 1 record moved, the first of them record 4"},
      // Two operators' logs one after the other, two QSOs a minute each,
      // the second's shorter and begun two minutes earlier: more QSOs than
      // a sort keeps in order by chance, and ties at the very first minute.
      {"1202 1202 1203 1203 1204 1204 1205 1205 1206 1206 1207 1207 1208 1208 1209 1209 "
       "1210 1210 1211 1211 1212 1212 1213 1213 1200 1200 1201 1201 1202 1202 1203 1203 "
       "1204 1204 1205 1205 1206 1206 1207 1207 1208 1208 1209 1209",
       "25 26 27 28 1 2 29 30 3 4 31 32 5 6 33 34 7 8 35 36 9 10 37 38 11 12 39 40 13 14 41 42 "
       "15 16 43 44 17 18 19 20 21 22 23 24",
       "sorted by QSO time: 20 records moved, the first of them record 25"},
  };
  const auto letters = [](int n) { return std::string{char('A' + n / 26), char('A' + n % 26)}; };
  for (const auto& c : cases) {
    std::string log = kHeader;
    std::istringstream times(c.times);
    std::string time;
    for (int n = 1; times >> time; ++n) {
      const std::string call = "R" + std::to_string(n);
      const std::string op = "OP" + std::to_string(n);
      log += Record("<CALL:" + std::to_string(call.size()) + ">" + call +
                    " <QSO_DATE:8>20261219 <TIME_ON:4>" + time + " <BAND:3>20m <STX_STRING:5>001" +
                    letters(n) + " <OPERATOR:" + std::to_string(op.size()) + ">" + op);
    }
    ReplayPlan plan;
    std::string problem;
    ASSERT_TRUE(PlanReplay(log, ReplayOptions(), &plan, &problem)) << problem;
    std::string offered;
    for (const AdifQso& qso : plan.qsos)
      offered += (offered.empty() ? "" : " ") + qso.call.substr(1);
    EXPECT_EQ(offered, c.offered) << c.order;
    EXPECT_EQ(plan.settings[4].source, c.order);
    const std::string sorted = "sorted by QSO time: ";
    if (std::string(c.order).rfind(sorted, 0) == 0) {
      EXPECT_EQ(plan.warnings.at(0),
                "the log is not in time order: its QSOs are offered in time order (" +
                    std::string(c.order).substr(sorted.size()) + ")");
    }
    const int first = std::stoi(c.offered);
    EXPECT_EQ(plan.ownCall, "OP" + std::to_string(first)) << c.offered;
    EXPECT_EQ(plan.ownMultCode, letters(first)) << c.offered;
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
  EXPECT_EQ(Planned(log, options).warnings,
            (std::vector<std::string>{
                "record 2 (UR6AA): no multiplier code, its received exchange \"022\" has no "
                "letters after its digits; the plug-in counts the empty code as a multiplier"}));
}

// One line for all QSOs whose sent or received serial is longer than six
// digits, naming the first; six digits are no warning.
TEST(ReplayPlanTest, WarnsOnceOfSerialsLongerThanSixDigits) {
  const auto qso = [](const std::string& sent, const std::string& rcvd) {
    return Record("<CALL:5>UR5AA <QSO_DATE:8>20261219 <TIME_ON:4>1200 <BAND:3>20m <STX_STRING:" +
                  std::to_string(sent.size()) + ">" + sent +
                  " <OPERATOR:4>UT1A <SRX_STRING:" + std::to_string(rcvd.size()) + ">" + rcvd);
  };
  const struct {
    std::string log;
    const char* expected;  // the warning about serials; empty: none
  } cases[] = {
      {qso("001KI", "015CD") + qso("001KI", "123456CD"), ""},
      {qso("001KI", "015CD") + qso("001KI", "1234567CD") + qso("2147483647KI", "016CD"),
       "2 QSOs have a serial of more than 6 digits, the first record 2 (UR5AA, received "
       "exchange \"1234567CD\"): the plug-in scores it as it stands (two values run together?)"},
      {qso("001KI", "015CD") + qso("1234567KI", "016CD"),
       "1 QSO has a serial of more than 6 digits, the first record 2 (UR5AA, sent exchange "
       "\"1234567KI\")"},
  };
  ReplayOptions options;
  options.ownGroupCode = "G3";
  options.fields.groupField = "CALL";
  for (const auto& c : cases) {
    std::string got;
    for (const std::string& warning : Planned(kHeader + c.log, options).warnings) {
      if (warning.find("serial") != std::string::npos) got += warning;
    }
    EXPECT_EQ(got.rfind(c.expected, 0), 0u) << got;
    EXPECT_EQ(got.empty(), *c.expected == 0) << got;
  }
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
  EXPECT_EQ(Planned(log, options).warnings,
            (std::vector<std::string>{
                "the log is not in time order: its QSOs are offered in time order (1 record "
                "moved, the first of them record 6)",
                "2 QSOs before the contest start 2026-12-19 12:00, the first in record 6",
                "2 QSOs after the last tour (from 2026-12-19 20:00 on), the first in record 4",
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

const char kCabrilloHeader[] =
    "START-OF-LOG: 3.0\n"
    "CONTEST: CQ-UT\n";

std::string QsoLine(const char* time, const char* call, const char* rcvd) {
  return std::string("QSO: 14025 CW 2026-12-19 ") + time + " UT5XX 599 001 KI " + call + " 599 " +
         rcvd + "\n";
}

TEST(ReplayPlanTest, RefusesWhatItCannotTellAndNamesIt) {
  const std::string adif = kHeader;
  const std::string qso = "<CALL:5>UR5AA <QSO_DATE:8>20261219 <TIME_ON:4>1347 <BAND:3>20m ";
  const std::string full = qso + "<STX_STRING:5>001KI <OPERATOR:4>UT1A <APP_UT_GROUP:2>G1";
  const std::string cabrillo = kCabrilloHeader + QsoLine("1205", "UR5AA", "015CD");
  const std::string badLine = "QSO: 14025 CW 2026-12-19 1260 UT5XX 599 001KI UR5AA 599 015CD\n";
  const struct {
    std::string log;
    const char* multField;
    const char* groupField;
    bool ownGroup;
    bool groupMap;  // CD is G1
    bool skipBad;
    const char* expected;
  } cases[] = {
      {adif, "", "", false, false, false, "the log holds no QSO records"},
      {adif + Record("<CALL:2>UR"), "", "", false, false, true,
       "every record of the log was skipped"},
      {adif + Record(full), "APP_UT_MLUT", "", false, false, false,
       "--mult-field APP_UT_MLUT: no record carries this field; the log's "
       "application-defined fields are APP_UT_GROUP"},
      {adif + Record(full), "", "app_ut_gruop", true, false, false,
       "--group-field APP_UT_GRUOP: no record carries this field; the log's "
       "application-defined fields are APP_UT_GROUP"},
      {adif + Record(qso + "<STX_STRING:5>001KI <OPERATOR:4>UT1A"), "", "APP_X", true, false, false,
       "--group-field APP_X: no record carries this field; the log has no "
       "application-defined (APP_) fields"},
      {adif + Record(full), "", "APP_UT_GROUP", false, false, false,
       "own group code: the log does not tell it; give it with --own-group when naming "
       "--group-field"},
      {adif + Record(qso + "<STX_STRING:5>001KI"), "", "", false, false, false,
       "own call: record 1 has neither STATION_CALLSIGN nor OPERATOR; give it with --own-call"},
      {adif + Record(qso + "<STX:3>001 <OPERATOR:4>UT1A"), "", "", false, false, false,
       "own multiplier code: the sent exchange \"001\" of record 1 has no letters after its "
       "digits; give it with --own-mult"},
      {adif + Record(full), "", "APP_UT_GROUP", false, true, false,
       "--group-map and --group-field: give the group codes one way"},
      {adif + Record(full), "", "", false, true, false,
       "own group code: --group-map g.txt does not list the own multiplier code KI; give it "
       "with --own-group"},
      {cabrillo + badLine, "", "", false, false, false,
       "line 4, column 26 (time): \"1260\" is not a time hhmm (UTC)"},
      {kCabrilloHeader + badLine, "", "", false, false, true,
       "every QSO line of the log was skipped"},
      {kCabrilloHeader + std::string("END-OF-LOG:\n") + QsoLine("1205", "UR5AA", "015CD"), "", "",
       false, false, false, "the log holds no QSO lines"},
      {cabrillo, "APP_M", "", false, false, false,
       "--mult-field: a Cabrillo log has no fields; the multiplier codes come from each "
       "received exchange"},
      {cabrillo, "", "APP_G", true, false, false,
       "--group-field: a Cabrillo log has no fields; give the group codes with --group-map"},
  };
  for (const auto& c : cases) {
    ReplayOptions options;
    options.fields = AdifQsoFields{c.multField, c.groupField};
    if (c.ownGroup) options.ownGroupCode = "G1";
    if (c.groupMap) options.groupMap = GroupMap{"g.txt", {{"CD", "G1"}}};
    options.skipBad = c.skipBad;
    ReplayPlan plan;
    std::string problem;
    EXPECT_FALSE(PlanReplay(c.log, options, &plan, &problem)) << c.expected;
    EXPECT_EQ(problem, c.expected);
  }
}

TEST(ReplayPlanTest, NamesRecordAndFieldOfTheFirstFault) {
  const std::string good = Record("<CALL:5>UR5AA <QSO_DATE:8>20261219 <TIME_ON:4>1347 <BAND:2>2m");
  const struct {
    std::string log;
    const char* expected;
  } cases[] = {
      {"plain text, no tags", "neither an ADIF log (no tags found) nor a Cabrillo log"},
      {kHeader + good + Record("<QSO_DATE:8>20261219 <TIME_ON:4>1347"),
       "record 2, field CALL: worked callsign is missing"},
      {kHeader + good + good + Record("<CALL:2>UR <QSO_DATE:8>20261319 <TIME_ON:4>1347"),
       "record 3, field QSO_DATE:"},
      {kHeader + Record("<CALL:2>UR <QSO_DATE:8>20261219"), "record 1, field TIME_ON:"},
      {kHeader + good + Record("<CALL:2>UR <QSO_DATE:8>20261219 <TIME_ON:4>1347 <FREQ:2>7,"),
       "record 2, field FREQ:"},
      {kHeader + good + "<CALL:9>UR <EOR>", "record 2, field CALL: length runs past"},
      {kHeader + good + "<CALL:-1>UR <EOR>", "record 2, field CALL: length is negative"},
      // A fault after faultless records still stops the whole log, the
      // last record read though its <EOR> is missing.
      {kHeader + good + good + good + "<CALL:2>UR", "record 4, field QSO_DATE:"},
  };
  for (const auto& c : cases) {
    ReplayPlan plan;
    std::string problem;
    EXPECT_FALSE(PlanReplay(c.log, ReplayOptions(), &plan, &problem)) << c.log;
    EXPECT_EQ(problem.rfind(c.expected, 0), 0u) << problem;
  }
}

std::string SettingsText(const ReplayPlan& plan) {
  std::string text;
  for (const PlanSetting& s : plan.settings)
    text += s.name + "=" + s.value + " (" + s.source + ")\n";
  return text;
}

// The plan of `log` with the group map g.txt of CD (G1) and KI (G3).
ReplayPlan PlanWithGroupMap(const std::string& log) {
  ReplayOptions options;
  options.groupMap = GroupMap{"g.txt", {{"CD", "G1"}, {"KI", "G3"}}};
  return Planned(log, options);
}

// A Cabrillo log goes the ADIF log's way after reading: its lines named
// where records are, its own call from CALLSIGN:, group codes from a map.
TEST(ReplayPlanTest, PlansACabrilloLogWithItsLinesAndAGroupMap) {
  const std::string log = kCabrilloHeader + std::string("callsign: ut5xx\nCLAIMED-SCORE: many\n") +
                          QsoLine("1205", "UR5AA", "015 CD") + "X-QSO: whatever\n" +
                          QsoLine("1201", "UR6AA", "022 ZZ") + QsoLine("1210", "UR7AA", "7 KI") +
                          "END-OF-LOG:\n";
  ReplayPlan plan = PlanWithGroupMap(log);
  EXPECT_EQ(plan.logKind, LogKind::kCabrillo);
  ASSERT_EQ(plan.qsos.size(), 3u);
  EXPECT_EQ(plan.qsos[0].call + plan.qsos[0].group + plan.qsos[1].group + plan.qsos[2].group,
            "UR6AAG1G3");
  EXPECT_EQ(SettingsText(plan),
            "log=Cabrillo, CONTEST: CQ-UT (START-OF-LOG: line first)\n"
            "own call=UT5XX (log tag CALLSIGN:, line 3)\n"
            "own multiplier code=KI (derived from the sent exchange 001KI, line 7)\n"
            "own group code=G3 (--group-map, by the own multiplier code)\n"
            "contest start=2026-12-19 12:00 UTC (derived: the hour of the first QSO, line 7)\n"
            "QSO order=time order (sorted by QSO time: 1 line moved, the first of them line 7)\n"
            "multiplier codes=from each received exchange (the letters after its digits)\n"
            "group codes=map file g.txt, by multiplier code (option --group-map)\n");
  EXPECT_EQ(plan.warnings,
            (std::vector<std::string>{
                "1 X-QSO: line passed over (QSOs the entrant asks not to count), the first in "
                "line 6",
                "CLAIMED-SCORE: \"MANY\" in line 4 is not a number; it is not compared",
                "1 QSO has a multiplier code that --group-map g.txt does not list, so an empty "
                "group code; the first in line 7 (code \"ZZ\")",
                "the log is not in time order: its QSOs are offered in time order (1 line "
                "moved, the first of them line 7)"}));
  EXPECT_FALSE(plan.claimedScore.has_value());

  std::string problem;
  ASSERT_TRUE(PlanReplay(
      kCabrilloHeader + std::string("CLAIMED-SCORE: -12\n") + QsoLine("1205", "UR5AA", "015CD"),
      ReplayOptions(), &plan, &problem))
      << problem;
  EXPECT_EQ(plan.settings[1].source, "own call column, line 4");
  EXPECT_EQ(plan.settings.back().source, "a Cabrillo log carries none; give --group-map");
  EXPECT_EQ(ClaimedScoreWarning(plan, -12), "");
  EXPECT_EQ(ClaimedScoreWarning(plan, 851),
            "claimed score -12 (CLAIMED-SCORE:, line 3), the plug-in's score 851");
}

// A claimed score with its thousands grouped is read; one too long for a
// number, or grouped otherwise, is said and not compared.
TEST(ReplayPlanTest, ReadsClaimedScoresGroupedOrNot) {
  const struct {
    const char* claimed;
    long long score;  // -1: said to be no number
  } cases[] = {
      {"1513", 1513},
      {"1,513", 1513},
      {"1 513", 1513},
      {"1.513", 1513},
      {"12'345'678", 12345678},
      {"-1,513", -1513},
      {"999999999999999999", 999999999999999999},  // 18 digits
      {"1000000000000000000", -1},                 // 19
      {"10000000000000000000", -1},                // 20
      {"1,000,000,000,000,000,000", -1},
      {"1.5", -1},
      {"1,51", -1},
      {"1,5130", -1},
      {"1,513.000", -1},
      {",513", -1},
      {"1  513", -1},
  };
  for (const auto& c : cases) {
    const std::string log = kCabrilloHeader + std::string("CLAIMED-SCORE: ") + c.claimed + "\n" +
                            QsoLine("1205", "UR5AA", "015CD") + "END-OF-LOG:\n";
    ReplayPlan plan;
    std::string problem;
    ASSERT_TRUE(PlanReplay(log, ReplayOptions(), &plan, &problem)) << problem;
    EXPECT_EQ(plan.claimedScore.value_or(-1), c.score) << c.claimed;
    const std::string notNumber = std::string("CLAIMED-SCORE: \"") + c.claimed +
                                  "\" in line 3 is not a number; it is not compared";
    EXPECT_EQ(std::count(plan.warnings.begin(), plan.warnings.end(), notNumber),
              c.score == -1 ? 1 : 0)
        << c.claimed;
  }
}

// What a log says of itself reaches the warnings, one line each with its
// place: a Cabrillo line read by the log's layout, a Cabrillo log without
// END-OF-LOG:, an ADIF log whose last record lacks <EOR>; UTF-16 logs read
// as their UTF-8, ADX refused.
TEST(ReplayPlanTest, ReadsUnusualLogsAndSaysWhatItAssumed) {
  const std::string adif = kHeader + Record(
                                         "<CALL:5>UR5AA <QSO_DATE:8>20261219 <TIME_ON:4>1205 "
                                         "<BAND:3>20m <STX_STRING:5>001KI <OPERATOR:4>UT1A");
  const std::string cabrillo =
      kCabrilloHeader + QsoLine("1205", "UR5AA", "015CD") + QsoLine("1206", "UR6AA", "016CD") +
      "QSO: 14025 CW 2026-12-19 1207 UT5XX 599 001 KI UR7AA 017 CD\n" + "END-OF-LOG:\n";
  const auto utf16 = [](const std::string& text, bool little) {
    std::string bytes = little ? "\xFF\xFE" : "\xFE\xFF";
    for (char c : text) bytes += little ? std::string{c, '\0'} : std::string{'\0', c};
    return bytes;
  };
  const struct {
    std::string log;
    const char* expected;  // the warning that contains "line" or "record", or the problem
  } cases[] = {
      {cabrillo,
       "line 5, column 54 (received report): \"017\" is no signal report, where the log's QSO "
       "lines give one: read as received exchange \"017CD\", the report left empty"},
      {kCabrilloHeader + QsoLine("1205", "UR5AA", "015CD"),
       "no END-OF-LOG: line: the log may have been cut short after line 3"},
      {adif + "<CALL:5>UR6AA <QSO_DATE:8>20261219 <TIME_ON:4>1206 <STX_STRING:5>001KI "
              "<OPERATOR:4>UT1A <FREQ:6>14.025",
       "record 2: the last record is not ended by <EOR>; read all the same, as the file may have "
       "been cut short"},
      {utf16(cabrillo, true), "line 5, column 54 (received report)"},
      {utf16(cabrillo, false), "line 5, column 54 (received report)"},
      {utf16(adif, true), ""},
      {"\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<ADX><RECORDS></RECORDS></ADX>\n",
       "an ADX (XML) log, which logreplay does not read: export the log as ADIF (.adi) or "
       "Cabrillo"},
      {"<ADX>\n<HEADER></HEADER>\n</ADX>\n", "an ADX (XML) log"},
  };
  for (const auto& c : cases) {
    ReplayPlan plan;
    std::string problem;
    std::string got;
    if (PlanReplay(c.log, ReplayOptions(), &plan, &problem)) {
      EXPECT_EQ(plan.qsos.at(0).call, "UR5AA");
      for (const std::string& warning : plan.warnings) {
        if (warning.find(" line") != std::string::npos ||
            warning.rfind("record", 0) != std::string::npos) {
          got = warning;
        }
      }
    } else {
      got = problem;
    }
    EXPECT_EQ(got.rfind(c.expected, 0), 0u) << c.expected << "\n  got " << got;
    EXPECT_EQ(got.empty(), *c.expected == 0) << got;
  }
}

// Of two or more codes the map lacks, the warning names the first in the log.
TEST(ReplayPlanTest, NamesTheFirstCodeTheGroupMapLacks) {
  const std::string log = kCabrilloHeader + QsoLine("1205", "UR5AA", "015CD") +
                          QsoLine("1206", "UR6AA", "022ZZ") + QsoLine("1201", "UR7AA", "7YY") +
                          "END-OF-LOG:\n";
  const ReplayPlan plan = PlanWithGroupMap(log);
  EXPECT_EQ(std::count(plan.warnings.begin(), plan.warnings.end(),
                       "2 QSOs have a multiplier code that --group-map g.txt does not list, so an "
                       "empty group code; the first in line 4 (code \"ZZ\")"),
            1);
}

TEST(ReplayPlanTest, ReadsGroupMaps) {
  const struct {
    std::string text;
    const char* expected;  // "CODE=GROUP ..." or the problem
  } cases[] = {
      {"", ""},
      {"# code group\r\n\r\nCD G1\r\n  ki\tg3  \n# KI G4\nCD G1\n", "CD=G1 KI=G3 "},
      {"CD G1\nKI\n", "line 2: expected a multiplier code and its group code, found 1 values"},
      {"CD G1 # first\n", "line 1: expected a multiplier code and its group code, found 4 values"},
      {"CD G1\n\nCD G2\n", "line 3: multiplier code CD is given group G2 here and G1 before"},
      {"\xEF\xBB\xBF"
       "CD G1\rKI G3\r",
       "CD=G1 KI=G3 "},
      {std::string("\xFF\xFE"
                   "C\0D\0 \0G\0"
                   "1\0\r\0\n\0",
                   16),
       "CD=G1 "},
      {"START-OF-LOG: 3.0\nCONTEST: CQ-UT\n",
       "line 1: a Cabrillo tag (START-OF-LOG:): this is a Cabrillo log, not a map of CODE GROUP "
       "lines"},
      {"# groups\nCD G1\n<ADIF_VER:5>3.1.4 <EOH>\n",
       "line 3: an ADIF tag (<ADIF_VER:5>3.1.4): this is an ADIF log, not a map of CODE GROUP "
       "lines"},
      {"CD G1\nKI G3 G4\n",
       "line 2: expected a multiplier code and its group code, found 3 "
       "values"},
  };
  for (const auto& c : cases) {
    GroupMap map;
    std::string problem;
    std::string got;
    if (ParseGroupMap(c.text, &map, &problem)) {
      for (const auto& entry : map.groups) got += entry.first + "=" + entry.second + " ";
    } else {
      got = problem;
    }
    EXPECT_EQ(got, c.expected) << c.text;
  }
}

}  // namespace
}  // namespace tools
