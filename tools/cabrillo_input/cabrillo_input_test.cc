#include "tools/cabrillo_input/cabrillo_input.h"

#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "tools/adif/adif_values.h"
#include "tools/cabrillo_input/cabrillo_layout.h"

namespace tools {
namespace {

// A QSO as "Hz mode date time own rst exch call rst exch code", empty
// values as "-"; without the reports when `reports` is false.
std::string Summary(const CabrilloQsoLine& line, bool reports = true) {
  CivilDate date;
  TimeOfDay time;
  OleToCivil(line.qso.time, &date, &time);
  char when[32];
  std::snprintf(when, sizeof when, "%04d-%02d-%02d %02d%02d", date.year, date.month, date.day,
                time.hour, time.minute);
  std::string text = std::to_string(line.qso.freqHz) + " " + line.qso.band;
  for (const std::string* value :
       {&line.qso.mode, &line.ownCall, &line.qso.rstSent, &line.qso.exchSent, &line.qso.call,
        &line.qso.rstRcvd, &line.qso.exchRcvd, &line.qso.multCode}) {
    if (!reports && (value == &line.qso.rstSent || value == &line.qso.rstRcvd)) continue;
    text += " " + (value->empty() ? std::string("-") : *value);
    if (value == &line.qso.mode) text += std::string(" ") + when;
  }
  return text;
}

// Every form of QSO line the reader takes, and the faults it names.
TEST(CabrilloInputTest, ReadsQsoLinesOfAnyLoggerAndOurOwn) {
  const struct {
    const char* line;
    const char* expected;  // Summary, or the error's text
  } cases[] = {
      // Other loggers: split exchanges, blanks and tabs, any case, an id.
      {"QSO: 14025 CW 2026-12-19 1347 UT9ZZQ 599 015 CD UR5AA 599 021 AB",
       "14025000 20m CW 2026-12-19 1347 UT9ZZQ 599 015CD UR5AA 599 021AB AB"},
      {"qso:  3525 cw 2026-12-19 1158\tut5xx 599 1ki ur5aa 599 15cd 0",
       "3525000 80m CW 2026-12-19 1158 UT5XX 599 1KI UR5AA 599 15CD CD"},
      {"QSO: 14000 PH 2026-12-19 1230 UT5XX 59 003 KI US3CC/P 59 21 AB 1",
       "14000000 20m SSB 2026-12-19 1230 UT5XX 59 003KI US3CC/P 59 21AB AB"},
      {"QSO: 7 USB 2026-12-19 1230 UT5XX 59 3KI R9/UT2BB 59 RT",
       "7000000 40m SSB 2026-12-19 1230 UT5XX 59 3KI R9/UT2BB 59 RT RT"},
      {"QSO: 50 LSB 2026-12-19 1230 UT5XX 59 3KI 2E0ABC 59 7",
       "50000000 6m SSB 2026-12-19 1230 UT5XX 59 3KI 2E0ABC 59 7 -"},
      {"QSO: 432 FM 2026-12-19 1230 UT5XX 59 3KI UT2BB 59 7KI",
       "420000000 70cm FM 2026-12-19 1230 UT5XX 59 3KI UT2BB 59 7KI KI"},
      {"QSO: 3.5 RY 2026-12-19 1230 UT5XX 599 3KI UT2BB 599 7KI",
       "3500000 80m RY 2026-12-19 1230 UT5XX 599 3KI UT2BB 599 7KI KI"},
      {"QSO: 14025.5 DG 2026-12-19 0000 UT5XX 599 3KI UT2BB 599",
       "14025500 20m DG 2026-12-19 0000 UT5XX 599 3KI UT2BB 599 - -"},
      // No reports at all; a lone exchange 1 after a report; our own line
      // with its blanks collapsed.
      {"QSO: 14000 CW 2026-12-19 1200 UT7QF 001DN UR5AA 015CD",
       "14000000 20m CW 2026-12-19 1200 UT7QF - 001DN UR5AA - 015CD CD"},
      {"QSO: 14000 CW 2026-12-19 1200 UT7QF 5NN 001DN UR5AA 599 1",
       "14000000 20m CW 2026-12-19 1200 UT7QF 5NN 001DN UR5AA 599 1 -"},
      {"QSO: 14030 CW 2026-12-19 1715 UT9ZZQ 599 007KI UR7FF 589 RT 30 -- 6",
       "14030000 20m CW 2026-12-19 1715 UT9ZZQ 599 007KI UR7FF 589 RT RT"},
      // Our own log: its score columns, and by its columns the lines with
      // empty values, which token splitting cannot place.
      {"QSO:  3525 CW 2026-12-19 1158 UT5XX         599 1KI    UR5AA         599  15CD 60 80 15",
       "3525000 80m CW 2026-12-19 1158 UT5XX 599 1KI UR5AA 599 15CD CD"},
      {"QSO: 14030 CW 2026-12-19 1715 UT9ZZQ        599 007KI  UR7FF         589 RT 30 -- 6",
       "14030000 20m CW 2026-12-19 1715 UT9ZZQ 599 007KI UR7FF 589 RT RT"},
      {"QSO: 14030 CW 2026-12-19 1715 UT9ZZQ        599 007KI                589 RT -1 -- -1",
       "14030000 20m CW 2026-12-19 1715 UT9ZZQ 599 007KI - 589 RT RT"},
      {"QSO: 14030 CW 2026-12-19 1715 UT9ZZQ            007KI  UR7FF              015CD 60 20 15",
       "14030000 20m CW 2026-12-19 1715 UT9ZZQ - 007KI UR7FF - 015CD CD"},
      {"QSO: 14030 CW 2026-12-19 1715 UT9ZZQ        599 007KI  UR7FF         589   -1 -- -1",
       "14030000 20m CW 2026-12-19 1715 UT9ZZQ 599 007KI UR7FF 589 - -"},
      {"QSO: 144000 PH 2026-12-19 1715 UT9ZZQ/MM0123 5999 1234567KI UR7FF/QRP/ABCDE 599  1CD 0 0 1",
       "144000000 2m SSB 2026-12-19 1715 UT9ZZQ/MM0123 5999 1234567KI UR7FF/QRP/ABCDE 599 1CD CD"},
      // Faults: the value and its column.
      {"QSO: 14O25 CW 2026-12-19 1347 UT9ZZQ 599 015CD UR5AA 599 021AB",
       "line 7, column 6 (frequency): \"14O25\" is not a frequency in kHz (digits and at most "
       "one '.') or a band designator"},
      {"QSO: 9000 CW 2026-12-19 1347 UT9ZZQ 599 015CD UR5AA 599 021AB",
       "line 7, column 6 (frequency): \"9000\" kHz lies in no band of the band table"},
      {"QSO: 222 CW 2026-12-19 1347 UT9ZZQ 599 015CD UR5AA 599 021AB",
       "line 7, column 6 (frequency): \"222\" below 1000 is read as a band designator in MHz, "
       "and no band of the band table holds it"},
      {"QSO: 14025 CW 2026-02-30 1347 UT9ZZQ 599 015CD UR5AA 599 021AB",
       "line 7, column 15 (date): \"2026-02-30\" is not a date yyyy-mm-dd: "},
      {"QSO: 14025 CW 20261219 1347 UT9ZZQ 599 015CD UR5AA 599 021AB",
       "line 7, column 15 (date): \"20261219\" is not a date yyyy-mm-dd"},
      {"QSO: 14025 CW 2026-12-19 13:47 UT9ZZQ 599 015CD UR5AA 599 021AB",
       "line 7, column 26 (time): \"13:47\" is not a time hhmm (UTC)"},
      {"QSO: 14025 CW 2026-12-19 2400 UT9ZZQ 599 015CD UR5AA 599 021AB",
       "line 7, column 26 (time): \"2400\" is not a time hhmm (UTC)"},
      {"QSO: 14025 CW 2026-12-19 1347 UT9ZZQ 599 015 CD 021 AB",
       "line 7, column 42 (worked call): no value after the sent exchange looks like a call"},
      {"QSO: 14025 CW 2026-12-19 1347 UT9ZZQ 599 015CD UR5AA",
       "line 7, column 53 (received report): the received report is missing"},
      {"QSO: 14025 CW 2026-12-19 1347 UT9ZZQ 599",
       "line 7, column 41 (sent exchange): the sent report and exchange are missing"},
      {"QSO: 14030 CW 2026-12-19 1715 \f             599 007KI  UR7FF         589   -1 -- -1",
       "line 7, column 31 (own call): \"\f\" is blank"},
      {"QSO: 14025 CW 2026-12-19",
       "line 7: a QSO line needs a frequency, mode, date, time and own call before the "
       "exchanges; this one has 3 values"},
  };
  for (const auto& c : cases) {
    CabrilloQsoLine line;
    CabrilloError error;
    const bool read = CabrilloLineToQso(c.line, 7, &line, &error);
    const std::string got = read ? Summary(line) : error.ToString();
    EXPECT_EQ(got.rfind(c.expected, 0), 0u) << c.line << "\n  gives " << got;
    EXPECT_EQ(read, line.line == 7) << c.line;
  }
}

// A log's lines are read by the layout all its QSO lines show: a line that
// strays reads as its clean twin (reports aside) and a warning names it.
TEST(CabrilloInputTest, ReadsEachLineByTheLayoutOfTheWholeLog) {
  const std::string kQso = "QSO: 14000 CW 2026-12-19 1200 UT7QF ";
  const struct {
    std::vector<const char*> others;  // the log's other QSO lines, after the own call
    const char* line;                 // the last QSO line, after the own call
    const char* twin;                 // the line as its neighbours write it; null: none
    const char* expected;             // its Summary
    const char* assumed;              // the first warning; empty: none
  } cases[] = {
      // A report left out: the serial stays in the exchange.
      {{"599 001 DN UR5AA 599 015 CD", "599 002 DN UT2BB 599 016 KI"},
       "599 003 DN US3CC  090 KI",
       "599 003 DN US3CC 599 090 KI",
       "14000000 20m CW 2026-12-19 1200 UT7QF 599 003DN US3CC - 090KI KI",
       "line 4, column 55 (received report): \"090\" is no signal report, where the log's QSO "
       "lines give one: read as received exchange \"090KI\", the report left empty"},
      {{"599 001DN UR5AA 599 015CD", "599 002DN UT2BB 599 016KI"},
       "599 003DN US3CC 090KI",
       "599 003DN US3CC 599 090KI",
       "14000000 20m CW 2026-12-19 1200 UT7QF 599 003DN US3CC - 090KI KI",
       "line 4, column 53 (received report): \"090KI\" is no signal report"},
      {{"599 001DN UR5AA 599 015CD"},
       "003DN US3CC 599 090KI",
       "599 003DN US3CC 599 090KI",
       "14000000 20m CW 2026-12-19 1200 UT7QF - 003DN US3CC 599 090KI KI",
       "line 3, column 37 (sent report): \"003DN\" is no signal report"},
      // Our own lines with their blanks collapsed, one without reports.
      {{"599 007KI UR7FF 589 RT 30 -- 6"},
       "008KI UR7FA 12CD 30 20 12",
       "599 008KI UR7FA 599 12CD 30 20 12",
       "14000000 20m CW 2026-12-19 1200 UT7QF - 008KI UR7FA - 12CD CD",
       "line 3, column 37 (sent report): \"008KI\" is no signal report"},
      // No reports in the log: a serial of a report's form is no report.
      {{"001 DN UR5AA 015 CD", "002 DN UT2BB 016 KI"},
       "599 DN US3CC 599 KI",
       nullptr,
       "14000000 20m CW 2026-12-19 1200 UT7QF - 599DN US3CC - 599KI KI",
       ""},
      {{"001DN UR5AA 015CD", "002DN UT2BB 016KI"},
       "003DN US3CC 599 090KI",
       "003DN US3CC 090KI",
       "14000000 20m CW 2026-12-19 1200 UT7QF - 003DN US3CC 599 090KI KI",
       "line 4, column 49 (received report): \"599\" read as a received report, which the log's "
       "QSO lines do not give, and \"090KI\" as the exchange"},
      // A report that may be a serial, and a value too many, are said.
      {{"599 001 DN UR5AA 599 015 CD"},
       "599 003 DN US3CC 599 KI",
       nullptr,
       "14000000 20m CW 2026-12-19 1200 UT7QF 599 003DN US3CC 599 KI KI",
       "line 3, column 58 (received exchange): 1 value where the log's QSO lines give 2: read "
       "as received exchange \"KI\" after the report \"599\""},
      {{"599 001 DN UR5AA 599 015 CD", "599 002 DN UT2BB 599 016 KI"},
       "599 003 DN US3CC 599 090 KI XY",
       nullptr,
       "14000000 20m CW 2026-12-19 1200 UT7QF 599 003DN US3CC 599 090KIXY KIXY",
       "line 4, column 58 (received exchange): 3 values where the log's QSO lines give 2"},
      // Transmitter ids: only beyond the exchange; a lone 1 is the exchange.
      {{"599 001 DN UR5AA 599 015 CD"},
       "599 003 DN US3CC 599 090 KI 0",
       "599 003 DN US3CC 599 090 KI",
       "14000000 20m CW 2026-12-19 1200 UT7QF 599 003DN US3CC 599 090KI KI",
       ""},
      {{"599 001DN UR5AA 599 015CD 1", "599 002DN UT2BB 599 016KI 1"},
       "599 003DN US3CC 599 1",
       nullptr,
       "14000000 20m CW 2026-12-19 1200 UT7QF 599 003DN US3CC 599 1 -",
       ""},
      {{"599 001DN UR5AA 599 015CD", "599 002DN UT2BB 599 016KI"},
       "599 003DN US3CC 599 090KI 1",
       "599 003DN US3CC 599 090KI",
       "14000000 20m CW 2026-12-19 1200 UT7QF 599 003DN US3CC 599 090KI KI",
       ""},
      // A code without a serial in a log of split exchanges and ids.
      {{"599 001 DN UR5AA 599 015 CD 0", "599 002 DN UT2BB 599 016 KI 0"},
       "599 003 DN UR7FF 59  RT     0",
       nullptr,
       "14000000 20m CW 2026-12-19 1200 UT7QF 599 003DN UR7FF 59 RT RT",
       "line 4, column 58 (received exchange): 1 value where the log's QSO lines give 2: read as "
       "received exchange \"RT\" after the report \"59\""},
  };
  const auto read = [&](const std::vector<const char*>& others, const char* last,
                        CabrilloLog* log) {
    std::string text = "START-OF-LOG: 3.0\n";
    for (const char* other : others) text += kQso + other + "\n";
    text += kQso + last + "\nEND-OF-LOG:\n";
    CabrilloError error;
    EXPECT_TRUE(ReadCabrillo(text, log, &error));
    EXPECT_TRUE(log->badLines.empty()) << last << ": " << log->badLines[0].ToString();
    return log->qsos.empty() ? std::string("no QSO") : Summary(log->qsos.back());
  };
  for (const auto& c : cases) {
    CabrilloLog log;
    EXPECT_EQ(read(c.others, c.line, &log), c.expected) << c.line;
    const std::string first = log.assumed.empty() ? "" : log.assumed[0].ToString();
    EXPECT_EQ(first.rfind(c.assumed, 0), 0u) << c.line << "\n  assumed " << first;
    EXPECT_EQ(first.empty(), *c.assumed == 0) << c.line << "\n  assumed " << first;
    for (const CabrilloError& assumed : log.assumed) {
      EXPECT_EQ(assumed.line, c.others.size() + 2) << assumed.ToString();
    }
    if (c.twin == nullptr) continue;
    CabrilloLog twin;
    read(c.others, c.twin, &twin);
    EXPECT_TRUE(twin.assumed.empty()) << c.twin << ": " << twin.assumed[0].ToString();
    ASSERT_FALSE(log.qsos.empty() || twin.qsos.empty()) << c.line;
    EXPECT_EQ(Summary(log.qsos.back(), false), Summary(twin.qsos.back(), false)) << c.line;
  }
}

// Each side's report and value count by the most lines, a tie to the
// larger count and to a report; the id only on the received side.
TEST(CabrilloInputTest, FindsTheLayoutMostLinesFollow) {
  const struct {
    std::vector<const char*> lines;  // after the own call
    const char* expected;            // "sent received[ id]", R for a report, then the values
  } cases[] = {
      {{"599 001 DN UR5AA 599 015 CD", "599 002DN UT2BB 599 016KI"}, "R2 R2"},
      {{"599 001DN UR5AA 015CD", "599 002DN UT2BB 016KI"}, "R1 -1"},
      {{"001DN UR5AA 599 015CD"}, "-1 R1"},
      {{"599 001DN UR5AA 599 015CD", "001 DN UT2BB 599 016KI"}, "R1 R1"},
      {{"599 001 DN UR5AA 599 015 CD 0", "599 002 DN UT2BB 599 016 KI 1"}, "R2 R2 id"},
  };
  for (const auto& c : cases) {
    std::vector<CabrilloLineValues> lines;
    for (const char* line : c.lines) {
      lines.emplace_back();
      ASSERT_TRUE(SplitAtWorkedCall(CabrilloTokens(line, 0), &lines.back())) << line;
    }
    const CabrilloLayout layout = FindCabrilloLayout(lines);
    const std::string got = (layout.sentReport ? "R" : "-") + std::to_string(layout.sentExchange) +
                            (layout.rcvdReport ? " R" : " -") +
                            std::to_string(layout.rcvdExchange) +
                            (layout.transmitterId ? " id" : "");
    EXPECT_EQ(got, c.expected) << c.lines[0];
  }
}

// Line ends of any system, the first of a tag given twice, and whether the
// log ends with END-OF-LOG:.
TEST(CabrilloInputTest, ReadsAnyLineEndAndTheFirstOfATagGivenTwice) {
  const std::string kLine = "QSO: 3525 CW 2026-12-19 1158 UT5XX 599 1KI UR5AA 599 15CD";
  const struct {
    std::string text;
    // "CONTEST|CALLSIGN@line, QSO lines, END-OF-LOG@line, last line"
    const char* expected;
  } cases[] = {
      {"START-OF-LOG: 3.0\rCALLSIGN: ut5xx\r" + kLine + "\rEND-OF-LOG:\r", "|UT5XX@2 3 4 4"},
      {"START-OF-LOG: 3.0\r\ncallsign: UT5XX\r" + kLine + "\n\rEND-OF-LOG:", "|UT5XX@2 3 5 5"},
      {"START-OF-LOG: 3.0\nCALLSIGN: UT5XX\nCALLSIGN: UT0ZZ\n" + kLine + "\n", "|UT5XX@2 4 0 4"},
      {"START-OF-LOG: 3.0\nCONTEST:\nCONTEST: CQ-UT\nCALLSIGN: UT5XX\n" + kLine + "\n",
       "|UT5XX@4 5 0 5"},
  };
  for (const auto& c : cases) {
    CabrilloLog log;
    CabrilloError error;
    ASSERT_TRUE(ReadCabrillo(c.text, &log, &error)) << error.ToString();
    std::string got = log.contest + "|" + log.callsign + "@" + std::to_string(log.callsignLine);
    for (const CabrilloQsoLine& qso : log.qsos) got += " " + std::to_string(qso.line);
    got += " " + std::to_string(log.endOfLogLine) + " " + std::to_string(log.lastLine);
    EXPECT_EQ(got, c.expected) << c.text;
    EXPECT_TRUE(log.badLines.empty()) << c.text;
  }
}

TEST(CabrilloInputTest, ReadsTheHeaderAndPassesOverWhatItDoesNotUse) {
  const std::string log =
      "\xEF\xBB\xBF\r\nstart-of-log: 3.0\r\n"
      "Contest:  CQ-UT-CW \r\n"
      "callsign: ut5xx\r\n"
      "X-ANYTHING: 1\r\n"
      "CATEGORY-BAND: ALL\r\n"
      "category-mode:  mixed \r\n"
      "CATEGORY-BAND: 20M\r\n"
      "claimed-score: 851\r\n"
      "QSO: 3525 CW 2026-12-19 1158 UT5XX 599 1KI UR5AA 599 15CD\r\n"
      "x-qso: 3525 CW 2026-12-19 1159 UT5XX 599 2KI UR6AA 599 16CD\r\n"
      "QSO: 3525 CW 2026-12-19 1160 UT5XX 599 3KI UR7AA 599 17CD\r\n"
      "a line without a tag\r\n"
      "X-QSO: 3525 CW 2026-12-19 1201 UT5XX 599 4KI UR8AA 599 18CD\r\n"
      "QSO: 3525 CW 2026-12-19 1202 UT5XX 599 5KI UR9AA 599 19CD\r\n"
      "END-OF-LOG:\r\n"
      "QSO: 3525 CW 2026-12-19 1203 UT5XX 599 6KI UR0AA 599 20CD\r\n";
  CabrilloLog read;
  CabrilloError error;
  ASSERT_TRUE(ReadCabrillo(log, &read, &error)) << error.ToString();
  EXPECT_EQ(read.contest, "CQ-UT-CW");
  EXPECT_EQ(read.callsign, "UT5XX");
  EXPECT_EQ(read.callsignLine, 4u);
  EXPECT_EQ(read.claimedScore, "851");
  EXPECT_EQ(read.claimedScoreLine, 9u);
  EXPECT_EQ(read.categories, (std::vector<std::pair<std::string, std::string>>{
                                 {"CATEGORY-BAND", "ALL"}, {"CATEGORY-MODE", "MIXED"}}));
  ASSERT_EQ(read.qsos.size(), 2u);
  EXPECT_EQ(read.qsos[0].line, 10u);
  EXPECT_EQ(read.qsos[1].qso.call, "UR9AA");
  EXPECT_EQ(read.xQsoLines, 2u);
  EXPECT_EQ(read.firstXQsoLine, 11u);
  ASSERT_EQ(read.badLines.size(), 2u);
  EXPECT_EQ(read.badLines[0].ToString(),
            "line 12, column 25 (time): \"1160\" is not a time hhmm (UTC)");
  EXPECT_EQ(read.badLines[1].ToString(), "line 13: neither a TAG: value line nor blank");

  for (const char* notCabrillo : {"", "<CALL:5>UR5AA <EOR>", "QSO: 3525 CW\nSTART-OF-LOG: 3.0"}) {
    EXPECT_FALSE(IsCabrilloLog(notCabrillo)) << notCabrillo;
    EXPECT_FALSE(ReadCabrillo(notCabrillo, &read, &error));
  }
  EXPECT_TRUE(IsCabrilloLog("  \n\tSTART-OF-LOG:"));
}

}  // namespace
}  // namespace tools
