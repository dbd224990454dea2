#include "tools/report/report_data.h"

#include <algorithm>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "tools/adif/adif_qso.h"
#include "tools/adif/adif_reader.h"
#include "tools/adif/adif_values.h"
#include "tools/report/html_parts.h"
#include "tools/report/report_page.h"

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

TEST(ReportDataTest, ToursBeginningAtOrAfterMidnightDoNotExist) {
  const struct {
    int startHour, tours;
  } cases[] = {{0, 4}, {12, 4}, {17, 4}, {18, 3}, {21, 2}, {22, 1}, {23, 1}};
  for (const auto& c : cases) {
    for (int tour = 1; tour <= kTours; ++tour) {
      EXPECT_EQ(TourExists(tour, c.startHour), tour <= c.tours) << tour << " from " << c.startHour;
    }
  }
}

// Minutes since a midnight; 1440 and on are the next day.
TEST(ReportDataTest, OperatingTimeAndBestRatesOfLoggedMinutes) {
  const struct {
    const char* name;
    std::vector<long long> minutes;  // as logged, in any order
    long long onAir;
    std::vector<long long> breaks;  // the minutes each off time starts
    RateWindow best10, best60;
    int lastHour;
  } cases[] = {
      {"an empty log", {}, 0, {}, {0, 0}, {0, 0}, 0},
      {"a single QSO", {720}, 0, {}, {1, 720}, {1, 720}, 1},
      {"a gap of exactly 30 minutes is off time", {750, 720}, 0, {720}, {1, 720}, {2, 720}, 2},
      {"a gap of 29 minutes is not", {720, 749}, 29, {}, {1, 720}, {2, 720}, 2},
      {"equal times are one moment", {720, 720, 725, 720}, 5, {}, {4, 720}, {4, 720}, 4},
      {"a window ends before its last minute; a later one may hold more",
       {720, 729, 730, 731},
       11,
       {},
       {3, 729},
       {4, 720},
       4},
      {"past midnight, and the last hour leaves out a QSO 60 minutes before the last",
       {1430, 1435, 1450, 1500, 1510, 1390},
       30,
       {1390, 1450},
       {2, 1430},
       {3, 1390},
       2},
  };
  for (const auto& c : cases) {
    const OperatingTime time = OperatingTimeOf(c.minutes);
    std::vector<long long> sorted = c.minutes;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(time.first, sorted.empty() ? 0 : sorted.front()) << c.name;
    EXPECT_EQ(time.last, sorted.empty() ? 0 : sorted.back()) << c.name;
    EXPECT_EQ(time.onAir, c.onAir) << c.name;
    std::vector<long long> breaks;
    for (const OffTime& gap : time.breaks) breaks.push_back(gap.from);
    EXPECT_EQ(breaks, c.breaks) << c.name;
    for (const auto& window : {std::make_pair(10LL, c.best10), std::make_pair(60LL, c.best60)}) {
      const RateWindow best = BestWindow(sorted, window.first);
      EXPECT_EQ(best.qsos, window.second.qsos) << c.name << ", " << window.first << " minutes";
      EXPECT_EQ(best.start, window.second.start) << c.name << ", " << window.first << " minutes";
    }
    EXPECT_EQ(QsosBeforeEnd(sorted, 60), c.lastHour) << c.name;
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

// The plan a replay of `adif` (records of Record) makes: its QSOs in time
// order, equal times in log order, for a contest from `startHour`.
ReplayPlan PlanOf(const std::string& adif, int startHour = 12) {
  ReplayPlan plan;
  plan.ownCall = "UT9ZZ";
  std::vector<AdifRecord> records;
  AdifError error;
  EXPECT_TRUE(ReadAdif(adif, &records, &error)) << error.ToString();
  for (const AdifRecord& record : records) {
    AdifQso qso;
    EXPECT_TRUE(AdifRecordToQso(record, AdifQsoFields{}, &qso, &error)) << error.ToString();
    plan.qsos.push_back(qso);
  }
  std::stable_sort(plan.qsos.begin(), plan.qsos.end(),
                   [](const AdifQso& a, const AdifQso& b) { return a.time < b.time; });
  std::string problem;
  plan.start.status = kStatsDateValid;
  EXPECT_TRUE(ContestStartToOle("2026-12-19", startHour, &plan.start.value, &problem)) << problem;
  return plan;
}

// A QSO without a call, which a Cabrillo log may hold (an ADIF record may
// not): its line pairs with it, and the QSO after it with its own line.
TEST(ReportDataTest, PairsTheLineOfAQsoWithoutACall) {
  const std::string log =
      "START-OF-LOG: 3.0\r\nCALLSIGN: UT9ZZ\r\n"
      "QSO: 14025 CW 2026-12-19 1205 UT9ZZ         599 001KI                599  015CD -1 -- "
      "-1\r\n"
      "QSO: 14200 CW 2026-12-19 1248 UT9ZZ         599 002KI  UR5AA         599  016CD 60 20 "
      "16\r\n"
      "END-OF-LOG:\r\n";
  ReplayPlan plan = PlanOf(Record("NOCALL", "1205", "20m", "14.025", "CW", "015CD") +
                           Record("UR5AA", "1248", "20m", "14.200", "CW", "016CD"));
  plan.qsos[0].call.clear();
  const ReportData data = GatherReport(plan, {true, true}, "", log, "");
  EXPECT_EQ(data.alreadyStored, 0u);
  ASSERT_EQ(data.qsos.size(), 2u);
  EXPECT_EQ(data.qsos[0].call, "");
  EXPECT_EQ(data.qsos[1].call, "UR5AA");
}

// The plug-in accepted QSOs 1, 2 (equal to 1, so not stored again), 4 and 5,
// and refused 3; its Cabrillo log holds 1, 4 and 5.
TEST(ReportDataTest, PairsCabrilloLinesWithTheStoredQsos) {
  const std::string adif = Record("UR5AA", "1205", "20m", "14.025", "CW", "015CD") +
                           Record("UR5AA", "1205", "20m", "14.025", "CW", "015CD") +
                           Record("UR6BB", "1210", "20m", "14.030", "RTTY", "002AB") +
                           Record("UR5AA", "1248", "20m", "14.200", "CW", "016CD") +
                           Record("UT2XY", "1402", "40m", "7.010", "SSB", "100AB");
  const ReplayPlan plan = PlanOf(adif);
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

// A QSO of 2026-12-19 as logged, and as the plug-in wrote it in its
// Cabrillo log when it stored it.
struct LoggedQso {
  const char* call;
  const char* time;  // HHMM
  const char* band;
  const char* mhz;  // with three decimals
  const char* rcvd;
  const char* scored;  // the plug-in's points, multiplier weight or "--", serial
  const char* mode = "CW";
};

// The page of a replay of `qsos` from a contest start at `startHour`;
// the plug-in refused them all unless `stored`.
std::string PageFor(int startHour, const std::vector<LoggedQso>& qsos, bool stored = true) {
  std::string adif, cabrillo = "START-OF-LOG: 3.0\r\n";
  for (const LoggedQso& qso : qsos) {
    adif += Record(qso.call, qso.time, qso.band, qso.mhz, qso.mode, qso.rcvd);
    std::string kHz = qso.mhz;
    kHz.erase(kHz.find('.'), 1);
    const std::string mode = qso.mode == std::string("SSB") ? "PH" : qso.mode;
    cabrillo += "QSO: " + kHz + " " + mode + " 2026-12-19 " + qso.time + " UT9ZZ 599 001KI " +
                qso.call + " 599 " + qso.rcvd + " " + qso.scored + "\r\n";
  }
  ReportData data = GatherReport(PlanOf(adif, startHour), std::vector<bool>(qsos.size(), stored),
                                 "", stored ? cabrillo : "", "");
  data.logName = "ut9zz.adi";
  return ReportPage(data, "UT9ZZ.cbr", "err.txt");
}

TEST(ReportPageTest, ShowsWhatTheLogHolds) {
  const struct {
    const char* name;
    int startHour;
    std::vector<LoggedQso> qsos;
    bool stored;
    std::vector<std::string> present, absent;
  } cases[] = {
      {"a start at 22:00 has one tour; QSOs after midnight are outside",
       22,
       {{"UR5AA", "2215", "20m", "14.025", "015CD", "60 20 15"},
        {"UR6BB", "0010", "20m", "14.030", "016EF", "60 20 16"}},
       true,
       {"Tour 1 <small>22–24 UTC</small>", "data-tour=\"0\" data-qsos=\"1\"",
        "Tours 2–4 would lie past midnight"},
       {"Tour 2", "00–02"}},
      {"a start at 23:00 has one tour, cut short at midnight",
       23,
       {{"UR5AA", "2315", "20m", "14.025", "015CD", "60 20 15"}},
       true,
       {"Tour 1 <small>23–24 UTC</small>", "Tours 2–4 would lie past midnight"},
       {"23–25", "Tour 2"}},
      {"multipliers of bands without weight score nothing and are not counted",
       12,
       {{"UR5AA", "1205", "160m", "1.830", "015CD", "60 0 15"},
        {"UR6BB", "1210", "6m", "50.100", "016CD", "60 0 16"},
        {"UT2XY", "1215", "20m", "14.025", "017CD", "60 20 17"}},
       true,
       {"data-band=\"160m\" data-tour=\"1\" data-qsos=\"1\" data-points=\"60\" data-mults=\"0\"",
        "data-band=\"6m\" data-tour=\"1\" data-qsos=\"1\" data-points=\"60\" data-mults=\"0\"",
        "data-band=\"20m\" data-tour=\"1\" data-qsos=\"1\" data-points=\"80\" data-mults=\"1\"",
        "60 pts · 0 mult · 1 scoring nothing", "<tr class=\"worthless\"><th>160m"},
       {"<tr class=\"worthless\"><th>20m"}},
      {"a multiplier without code is listed as (none)",
       12,
       {{"UR5AA", "1205", "20m", "14.025", "015", "60 20 15"}},
       true,
       {"<b>(none)</b> UR5AA"},
       {"<b></b>"}},
      {"off times are listed; a Cabrillo log without categories sets none",
       22,
       {{"UR5AA", "2205", "20m", "14.025", "015CD", "60 20 15"},
        {"UR6BB", "2235", "20m", "14.030", "016EF", "60 20 16"},
        {"UR7CC", "2240", "40m", "7.030", "017EF", "60 40 17"},
        {"UR8DD", "2320", "40m", "7.030", "018GH", "60 40 18"}},
       true,
       {"Drawn from the ADIF log ut9zz.adi", "data-on-air=\"5\" data-breaks=\"2\"",
        "Off times of 30 minutes or more between two consecutive QSOs",
        "data-break-from=\"2026-12-19 22:05\" data-break-to=\"2026-12-19 22:35\" "
        "data-break-minutes=\"30\"",
        "data-break-from=\"2026-12-19 22:40\" data-break-to=\"2026-12-19 23:20\"",
        "<tr data-rate=\"last60\" data-qsos=\"3\" data-start=\"2026-12-19 22:21\">",
        "Band       CW   QSOs  Mults\n"
        "20m         2      2      2\n"
        "40m         2      2      2\n"
        "Total       4      4      4\n",
        "Categories:      not set\n"},
       {}},
      {"the best rates per hour: 5 QSOs in 10 minutes are 30 an hour",
       12,
       {{"UR5AA", "1200", "20m", "14.025", "015CD", "60 20 15"},
        {"UR6BB", "1202", "20m", "14.026", "016EF", "60 20 16"},
        {"UR7CC", "1204", "20m", "14.027", "017GH", "60 20 17"},
        {"UR8DD", "1206", "20m", "14.028", "018IJ", "60 20 18"},
        {"UR9EE", "1209", "20m", "14.029", "019KL", "60 20 19"},
        {"UR4FF", "1240", "20m", "14.030", "020MN", "60 20 20"}},
       true,
       {"<tr data-rate=\"10\" data-qsos=\"5\" data-start=\"2026-12-19 12:00\"><td>Best 10 "
        "minutes</td><td><b>5</b></td><td>12:00–12:09</td><td>30</td></tr>",
        "<tr data-rate=\"60\" data-qsos=\"6\" data-start=\"2026-12-19 12:00\"><td>Best 60 "
        "minutes</td><td><b>6</b></td><td>12:00–12:59</td><td>6</td></tr>"},
       {}},
      {"SSB bars take the lighter class of their band's colour, CW bars the full",
       12,
       {{"UR5AA", "1205", "20m", "14.025", "015CD", "60 20 15"},
        {"UR6BB", "1210", "40m", "7.150", "016CD", "30 40 16", "SSB"}},
       true,
       {"<rect class=\"bar b-20m\"", "<rect class=\"bar b-40m ssb\""},
       {"<rect class=\"bar b-20m ssb\"", "<rect class=\"bar b-40m\""}},
      {"a repeat is the same call on the same band in the same mode and tour",
       12,
       {{"UR5AA", "1205", "20m", "14.025", "015CD", "60 20 15"},
        {"UR5AA", "1210", "20m", "14.200", "015CD", "30 -- 16", "SSB"},
        {"UR5AA", "1215", "20m", "14.030", "015CD", "60 -- 17"},
        {"UR5AA", "1405", "20m", "14.025", "015CD", "60 20 18"}},
       true,
       {"<tr><td>12:15</td><td>UR5AA</td><td>20m</td><td>CW</td><td>1</td>"},
       {"<tr><td>12:05</td><td>UR5AA</td>", "<tr><td>12:10</td><td>UR5AA</td>",
        "<tr><td>14:05</td><td>UR5AA</td>"}},
      {"a log the plug-in refused whole draws no chart",
       12,
       {{"UR5AA", "1205", "20m", "14.025", "015CD", ""}},
       false,
       {"No QSO stored, so no charts.", "No QSO stored.\n\nClaimed score:   -\n"},
       {"<svg", "data-rate="}},
  };
  for (const auto& c : cases) {
    const std::string page = PageFor(c.startHour, c.qsos, c.stored);
    for (const std::string& text : c.present) {
      EXPECT_NE(page.find(text), std::string::npos) << c.name << ": lacks " << text;
    }
    for (const std::string& text : c.absent) {
      EXPECT_EQ(page.find(text), std::string::npos) << c.name << ": holds " << text;
    }
  }
}

// The matrix heads the tours that begin before midnight: two hours each from
// the start hour, the last cut short at midnight.
TEST(ReportPageTest, HeadsTheToursThatBeginBeforeMidnight) {
  const struct {
    int startHour;
    std::vector<std::string> heads;
  } cases[] = {
      {0,
       {"Tour 1 <small>00–02", "Tour 2 <small>02–04", "Tour 3 <small>04–06",
        "Tour 4 <small>06–08"}},
      {12,
       {"Tour 1 <small>12–14", "Tour 2 <small>14–16", "Tour 3 <small>16–18",
        "Tour 4 <small>18–20"}},
      {17,
       {"Tour 1 <small>17–19", "Tour 2 <small>19–21", "Tour 3 <small>21–23",
        "Tour 4 <small>23–24"}},
      {18, {"Tour 1 <small>18–20", "Tour 2 <small>20–22", "Tour 3 <small>22–24"}},
      {23, {"Tour 1 <small>23–24"}},
  };
  const std::regex head("Tour [0-9] <small>[0-9]{2}–[0-9]{2}");
  for (const auto& c : cases) {
    const std::string time = TwoDigits(c.startHour) + "05";
    const std::string page =
        PageFor(c.startHour, {{"UR5AA", time.c_str(), "20m", "14.025", "015CD", "60 20 15"}});
    std::vector<std::string> heads;
    for (auto it = std::sregex_iterator(page.begin(), page.end(), head);
         it != std::sregex_iterator(); ++it) {
      if (std::find(heads.begin(), heads.end(), it->str()) == heads.end()) {
        heads.push_back(it->str());
      }
    }
    EXPECT_EQ(heads, c.heads) << "from " << c.startHour;
  }
}

// The summary's table: the stored QSOs by band and mode, each band's
// multipliers that score, and the totals.
TEST(ReportPageTest, SummaryTableCountsTheStoredQsosByBandAndMode) {
  const struct {
    const char* name;
    std::vector<LoggedQso> qsos;
    const char* table;
  } cases[] = {
      {"a column per mode worked; a QSO without a multiplier counts only as a QSO",
       {{"UR5AA", "1205", "20m", "14.025", "015CD", "60 20 15"},
        {"UR6BB", "1210", "40m", "7.150", "016EF", "30 40 16", "SSB"},
        {"UR7CC", "1215", "20m", "14.200", "017CD", "30 -- 17", "SSB"}},
       "Band       CW    SSB   QSOs  Mults\n"
       "20m         1      1      2      1\n"
       "40m         0      1      1      1\n"
       "Total       1      2      3      2\n"},
      {"the multipliers of a band without weight are not counted",
       {{"UR5AA", "1205", "160m", "1.830", "015CD", "60 0 15"},
        {"UT2XY", "1215", "20m", "14.025", "017CD", "60 20 17"}},
       "Band       CW   QSOs  Mults\n"
       "160m        1      1      0\n"
       "20m         1      1      1\n"
       "Total       2      2      1\n"},
  };
  for (const auto& c : cases) {
    const std::string page = PageFor(12, c.qsos);
    const size_t start = page.find("<pre id=\"summary\">");
    ASSERT_NE(start, std::string::npos) << c.name;
    const std::string summary = page.substr(start, page.find("</pre>", start) - start);
    EXPECT_NE(summary.find(std::string("\n\n") + c.table + "\n"), std::string::npos)
        << c.name << ":\n"
        << summary;
  }
}

// The colour class of the rate chart's bars of `band` in CW.
std::string BarClass(const std::string& page, const std::string& band) {
  std::smatch match;
  const std::regex bar("<rect class=\"bar ([^\"]*)\"[^>]*><title>[^<]* " + band + " CW:");
  return std::regex_search(page, match, bar) ? match[1].str() : "none";
}

TEST(ReportPageTest, ABandKeepsItsColourWhateverTheOtherBands) {
  const LoggedQso eighty{"UR5AA", "1205", "80m", "3.525", "015CD", "60 80 15"};
  const LoggedQso forty{"UR6BB", "1210", "40m", "7.025", "016CD", "60 40 16"};
  const LoggedQso twenty{"UT2XY", "1215", "20m", "14.025", "017CD", "60 20 17"};
  const std::string alone = BarClass(PageFor(12, {twenty}), "20m");
  const std::string withEighty = PageFor(12, {eighty, twenty});
  EXPECT_NE(BarClass(withEighty, "80m"), alone);
  for (const std::string& page : {withEighty, PageFor(12, {forty, eighty, twenty})}) {
    EXPECT_EQ(BarClass(page, "20m"), alone);
  }
}

// Each band of the band table, and a band outside it, in a colour of its own.
TEST(ReportPageTest, EveryBandHasAColourOfItsOwn) {
  const std::string page = PageFor(12, {{"UR5AA", "1205", "20m", "14.025", "015CD", "60 20 15"}});
  const std::regex rule("\\.b-([a-z0-9]+)\\{fill:(#[0-9a-f]{6});");
  std::set<std::string> bands, colours;
  for (auto it = std::sregex_iterator(page.begin(), page.end(), rule); it != std::sregex_iterator();
       ++it) {
    const std::string band = (*it)[1].str();
    EXPECT_TRUE(band == "other" || BandLowerEdgeHz(band) != 0) << band;
    EXPECT_TRUE(bands.insert(band).second) << band << " has two rules";
    EXPECT_TRUE(colours.insert((*it)[2].str()).second) << band << " shares " << (*it)[2];
  }
  EXPECT_EQ(bands.size(), 14u) << "the 13 bands of the band table and other";
}

}  // namespace
}  // namespace tools
