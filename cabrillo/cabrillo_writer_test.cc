#include <gtest/gtest.h>

#include "cabrillo/cabrillo_export.h"
#include "cabrillo/cabrillo_log.h"
#include "tests/fake_files.h"
#include "tests/fresh_header.h"

using platform::COleDateTime;

namespace cabrillo {
namespace {

const COleDateTime kTime(46375.0 + (14 * 60 + 5) / 1440.0, COleDateTime::valid);

struct LineCase {
  const char* name;
  int32_t freqKHz;
  const char* mode;
  const char* call;
  const char* exchRcvd;
  int32_t points, multBand, serial;
  const char* line;
};

class QsoLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(QsoLineTest, FormatsTheColumns) {
  const LineCase& c = GetParam();
  CCabrilloLog log;
  log.m_callsign = "UT1AA";
  log.AddQsoLine(c.call, c.freqKHz, c.mode, kTime, "599", "001AB", "579", c.exchRcvd, c.points,
                 c.multBand, c.serial);
  ASSERT_EQ(log.m_qsoLines.size(), 1u);
  EXPECT_EQ(log.m_qsoLines[0], c.line) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, QsoLineTest,
    ::testing::Values(
        LineCase{"five digits, marked", 14025, "CW", "UR5AA", "015CD", 60, 20, 15,
                 "QSO: 14025 CW 2026-12-19 1405 UT1AA         599 001AB  UR5AA         579  "
                 "015CD 60 20 15\r\n"},
        LineCase{"four digits, two characters", 7012, "PH", "UR5AA", "RT", 30, 40, 7,
                 "QSO:  7012 PH 2026-12-19 1405 UT1AA         599 001AB  UR5AA         579 "
                 "RT 30 40 7\r\n"},
        LineCase{"six digits, not marked", 144100, "??", "UR5AA", "015CD", 10, -1, 15,
                 "QSO: 144100 ?? 2026-12-19 1405 UT1AA         599 001AB  UR5AA         579 "
                 " 015CD 10 -- 15\r\n"},
        LineCase{"two characters, not marked", 21000, "CW", "UR5AA", "AB", 60, -1, 0,
                 "QSO: 21000 CW 2026-12-19 1405 UT1AA         599 001AB  UR5AA         579 "
                 "AB 60 -- 0\r\n"},
        LineCase{"band weight zero is a number", 1830, "CW", "UR5AA", "015CD", 60, 0, 15,
                 "QSO:  1830 CW 2026-12-19 1405 UT1AA         599 001AB  UR5AA         579  "
                 "015CD 60 0 15\r\n"},
        LineCase{"never counted", 14025, "CW", "", "015CD", -1, -1, -1,
                 "QSO: 14025 CW 2026-12-19 1405 UT1AA         599 001AB                579  "
                 "015CD -1 -- -1\r\n"},
        LineCase{"empty exchange", 14025, "CW", "UR5AA", "", 60, -1, 0,
                 "QSO: 14025 CW 2026-12-19 1405 UT1AA         599 001AB  UR5AA         579   "
                 "60 -- 0\r\n"},
        LineCase{"call longer than its column", 14025, "CW", "UR5AA/QRP/MM1", "015CD", 60, -1, 15,
                 "QSO: 14025 CW 2026-12-19 1405 UT1AA         599 001AB  UR5AA/QRP/MM1 579  "
                 "015CD 60 -- 15\r\n"},
        LineCase{"call of fourteen", 14025, "CW", "UR5AA/QRP/MM12", "015CD", 60, -1, 15,
                 "QSO: 14025 CW 2026-12-19 1405 UT1AA         599 001AB  UR5AA/QRP/MM12 579  "
                 "015CD 60 -- 15\r\n"}));

TEST(QsoLine, NullAndInvalidTimes) {
  CCabrilloLog log;
  log.AddQsoLine("A", 1, "CW", COleDateTime(0, COleDateTime::null), "", "", "", "", 0, -1, 0);
  log.AddQsoLine("A", 1, "CW", COleDateTime(0, COleDateTime::invalid), "", "", "", "", 0, -1, 0);
  // A null time leaves its column empty between single blanks.
  EXPECT_EQ(log.m_qsoLines[0], "QSO:     1 CW  " + std::string(13 + 1 + 3 + 1 + 6 + 1, ' ') + "A" +
                                   std::string(12 + 1 + 3 + 2, ' ') + " 0 -- 0\r\n");
  EXPECT_NE(log.m_qsoLines[1].find(" Invalid DateTime "), std::string::npos);
}

TEST(CabrilloMode, MapsExactly) {
  EXPECT_STREQ(CabrilloMode("CW"), "CW");
  EXPECT_STREQ(CabrilloMode("SSB"), "PH");
  EXPECT_STREQ(CabrilloMode("ssb"), "??");
  EXPECT_STREQ(CabrilloMode("FM"), "??");
}

// A log as a header edit with the defaults leaves it, with a two-line address
// and one QSO.
CCabrilloLog SampleLog() {
  CCabrilloLog log;
  log.m_callsign = "UT1AA";
  log.m_fileBase = "UT1AA";
  log.m_catOperator = "SINGLE-OP";
  log.m_catBand = "ALL";
  log.m_catMode = "CW";
  log.m_catPower = "HIGH";
  log.m_catAssisted = "NON-ASSISTED";
  log.m_catTransmitter = "ONE";
  log.m_operators = "UT1AA";
  log.m_address = "Street 1\r\nADDRESS: Kyiv";
  log.AddQsoLine("UR5AA", 14025, "CW", kTime, "599", "001AB", "579", "015CD", 60, 20, 15);
  return log;
}

TEST(CabrilloLogFile, WholeFileWithATwoLineAddress) {
  CCabrilloLog log = SampleLog();
  testing_support::FakeFileVersion versions;
  versions.files["Tovu2.exe"] = {0x00020014, 0x00000005, true};
  testing_support::FakeFileWriter files;
  EXPECT_EQ(log.WriteLog(295, versions, files), "File produced: UT1AA.cbr");
  EXPECT_EQ(
      files.files["UT1AA.cbr"],
      testing_support::kFreshHeaderLines +
          std::string("CLAIMED-SCORE: 295\r\n"
                      "OPERATORS: UT1AA\r\n"
                      "CLUB: \r\n"
                      "NAME: \r\n"
                      "ADDRESS: Street 1\r\n"
                      "ADDRESS: Kyiv\r\n"
                      "SOAPBOX: \r\n"
                      "QSO: 14025 CW 2026-12-19 1405 UT1AA         599 001AB  UR5AA         579  "
                      "015CD 60 20 15\r\n"
                      "END-OF-LOG:\r\n"));
  EXPECT_EQ(log.m_qsoLines.size(), 1u) << "writing keeps the lines";

  files.fail = true;
  EXPECT_EQ(log.WriteLog(-3, versions, files), "File not produced: UT1AA.cbr");
}

// Every line of a produced log begins with a tag of the Cabrillo 3.0 layout,
// START-OF-LOG first and END-OF-LOG last, also with multi-line values.
TEST(CabrilloLogFile, FollowsTheCabrilloLayout) {
  CCabrilloLog log = SampleLog();
  log.m_soapbox = "Fine\r\nSOAPBOX: 73";
  log.m_operators = "UT1AA\r\nOPERATORS: UT2BB";
  log.AddQsoLine("UR6BB", 7012, "PH", kTime, "59", "002AB", "59", "RT", 30, -1, 2);
  const std::string text = log.LogText(-5, "3.1.4");
  const char* const tags[] = {"START-OF-LOG:",
                              "CONTEST:",
                              "CREATED-BY:",
                              "CALLSIGN:",
                              "CATEGORY-OPERATOR:",
                              "CATEGORY-BAND:",
                              "CATEGORY-MODE:",
                              "CATEGORY-POWER:",
                              "CATEGORY-ASSISTED:",
                              "CATEGORY-TRANSMITTER:",
                              "LOCATION:",
                              "EMAIL:",
                              "CLAIMED-SCORE:",
                              "OPERATORS:",
                              "CLUB:",
                              "NAME:",
                              "ADDRESS:",
                              "SOAPBOX:",
                              "QSO:",
                              "END-OF-LOG:"};
  std::vector<std::string> lines;
  std::size_t from = 0;
  for (std::size_t end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2) {
    lines.push_back(text.substr(from, end - from));
  }
  EXPECT_EQ(from, text.size()) << "every line ends in CR LF";
  ASSERT_EQ(lines.size(), 18u + 3u + 2u + 1u);
  EXPECT_EQ(lines.front(), "START-OF-LOG: 3.0");
  EXPECT_EQ(lines.back(), "END-OF-LOG:");
  for (const std::string& line : lines) {
    EXPECT_EQ(line.find('\n'), std::string::npos) << line;
    bool known = false;
    for (const char* tag : tags) known = known || line.rfind(tag, 0) == 0;
    EXPECT_TRUE(known) << line;
  }
}

struct VersionCase {
  const char* name;
  bool v2, v3;
  uint32_t ms2, ls2, ms3, ls3;
  const char* text;
};

class HostVersionTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(HostVersionTest, ReadsTheHostExecutable) {
  const VersionCase& c = GetParam();
  testing_support::FakeFileVersion versions;
  if (c.v2) versions.files["Tovu2.exe"] = {c.ms2, c.ls2, c.ms2 != 0};
  if (c.v3) versions.files["Tovu3.exe"] = {c.ms3, c.ls3, c.ms3 != 0};
  EXPECT_EQ(HostVersionText(versions), c.text) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, HostVersionTest,
    ::testing::Values(
        VersionCase{"version 2", true, false, 0x00020014, 0x00000005, 0, 0, "2.20"},
        VersionCase{"version 3", false, true, 0, 0, 0x00030001, 0x00040000, "3.1.4"},
        VersionCase{"no leading zeros", false, true, 0, 0, 0x00030000, 0x00070009, "3.0.7"},
        VersionCase{"two before three", true, true, 0x00020005, 0, 0x00030001, 0, "2.5"},
        VersionCase{"unreadable two wins", true, true, 0, 0, 0x00030001, 0, ""},
        VersionCase{"neither", false, false, 0, 0, 0, 0, ""},
        VersionCase{"version 4", true, false, 0x00040002, 0x00010000, 0, 0, "4.2.1"}));

}  // namespace
}  // namespace cabrillo
