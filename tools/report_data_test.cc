#include "tools/report_data.h"

#include <string>
#include <vector>

#include "gtest/gtest.h"

namespace tools {
namespace {

TEST(ReportDataTest, ToursAreTwoHoursFromTheStartHourWithoutWrapping) {
  const struct {
    int hour, startHour, tour;
  } cases[] = {{12, 12, 1}, {13, 12, 1}, {14, 12, 2}, {19, 12, 4}, {20, 12, 0},
               {11, 12, 0}, {23, 22, 1}, {0, 22, 0},  {1, 0, 1}};
  for (const auto& c : cases) {
    EXPECT_EQ(TourOfHour(c.hour, c.startHour), c.tour) << c.hour << " from " << c.startHour;
  }
}

std::string Record(const std::string& call, const std::string& time, const std::string& band,
                   const std::string& freq, const std::string& mode, const std::string& rcvd) {
  auto field = [](const std::string& name, const std::string& value) {
    return "<" + name + ":" + std::to_string(value.size()) + ">" + value;
  };
  return field("CALL", call) + field("QSO_DATE", "20261219") + field("TIME_ON", time) +
         field("BAND", band) + field("FREQ", freq) + field("MODE", mode) +
         field("RST_SENT", "599") + field("RST_RCVD", "599") + field("STX_STRING", "001KI") +
         field("SRX_STRING", rcvd) + field("STATION_CALLSIGN", "UT9ZZ") + "<EOR>\n";
}

// The plug-in accepted QSOs 1, 2 (equal to 1, so not stored again), 4 and 5,
// and refused 3; its Cabrillo log holds 1, 4 and 5.
TEST(ReportDataTest, PairsCabrilloLinesWithTheStoredQsos) {
  const std::string adif = Record("UR5AA", "1205", "20m", "14.025", "CW", "015CD") +
                           Record("UR5AA", "1205", "20m", "14.025", "CW", "015CD") +
                           Record("UR6BB", "1210", "20m", "14.030", "RTTY", "002AB") +
                           Record("UR5AA", "1248", "20m", "14.200", "CW", "016CD") +
                           Record("UT2XY", "1402", "40m", "7.010", "SSB", "100AB");
  ReplayOptions options;
  ReplayPlan plan;
  std::string problem;
  ASSERT_TRUE(PlanReplay(adif, options, &plan, &problem)) << problem;
  const std::string cabrillo =
      "START-OF-LOG: 3.0\r\n"
      "QSO: 14025 CW 2026-12-19 1205 UT9ZZ         599 001KI  UR5AA         599  015CD 60 20 15\r\n"
      "QSO: 14200 CW 2026-12-19 1248 UT9ZZ         599 001KI  UR5AA         599  016CD 60 -- 16\r\n"
      "QSO:  7010 PH 2026-12-19 1402 UT9ZZ         59  001KI  UT2XY         59   100AB 30 40 "
      "100\r\n"
      "END-OF-LOG:\r\n";
  const std::string results =
      "\t\tCQ UT  Contest\r\n\tQSOs\tPoints\tCW\tSSB\r\n40m\t 1\t 170\t 0\t 1\r\n"
      "20m\t 2\t 156\t 2\t 0\r\nTotal\t 3\t 326\t 2\t 1\r\n\r\nScore:  = 326\r\ncredit";
  const ReportData data = GatherReport(plan, {true, true, false, true, true}, results, cabrillo,
                                       "title\r\nQSO:  14030  RTTY  ...   NO TEST MODE !!!\r\n");

  EXPECT_EQ(data.accepted, 4u);
  EXPECT_EQ(data.refused, 1u);
  EXPECT_EQ(data.alreadyStored, 1u);
  EXPECT_EQ(data.refusedQsos.size(), 1u);
  ASSERT_EQ(data.qsos.size(), 3u);
  EXPECT_EQ(data.qsos[2].call, "UT2XY");
  EXPECT_EQ(data.qsos[2].mode, "SSB");
  EXPECT_EQ(data.qsos[0].multCode, "CD");
  EXPECT_TRUE(data.qsos[1].repeat) << "UR5AA again on 20m CW in tour 1";
  EXPECT_FALSE(data.qsos[2].repeat);

  ASSERT_EQ(data.bands, (std::vector<std::string>{"40m", "20m"}));
  const MatrixRow& twenty = data.matrix[1];
  EXPECT_EQ(twenty.cells[1].qsos, 2);
  EXPECT_EQ(twenty.cells[1].points, 60 + 20 + 60);
  EXPECT_EQ(twenty.cells[1].mults, 1);
  EXPECT_EQ(twenty.serial, 16);
  EXPECT_EQ(twenty.Points(), 156) << "as the plug-in's 20m row";
  EXPECT_EQ(data.matrix[0].cells[2].qsos, 1);
  EXPECT_EQ(data.matrix[0].Points(), 170);
  ASSERT_EQ(data.mults[1][1].size(), 1u);
  EXPECT_EQ(data.qsos[data.mults[1][1][0].first].call, "UR5AA");

  // Two hours of QSOs: ten-minute bins from 12:00 to 14:00.
  EXPECT_EQ(data.binMinutes, 10);
  ASSERT_EQ(data.bins.size(), 13u);
  EXPECT_EQ((data.bins[4].counts.at({"20m", "CW"})), 1);
  EXPECT_EQ((data.bins[12].counts.at({"40m", "SSB"})), 1);
}

}  // namespace
}  // namespace tools
