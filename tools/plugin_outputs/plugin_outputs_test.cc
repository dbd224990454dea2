#include "tools/plugin_outputs/plugin_outputs.h"

#include <string>
#include <vector>

#include "gtest/gtest.h"

namespace tools {
namespace {

TEST(PluginOutputsTest, ReadsTheResultsText) {
  const ResultsTable table = ParseResultsText(
      "\t\tCQ UT  Contest\r\n\tQSOs\tPoints\tCW\tSSB\r\n80m\t 3\t 404\t 2\t 1\r\n"
      "160m\t 0\t 0\t 0\t 0\r\nTotal\t 3\t 404\t 2\t 1\r\n\r\nScore:  = 404\r\n"
      "Stats plug-in 1.0.0 for the CQ UT CONTEST");
  EXPECT_EQ(table.title, "CQ UT  Contest");
  EXPECT_EQ(table.columns, (std::vector<std::string>{"QSOs", "Points", "CW", "SSB"}));
  ASSERT_EQ(table.rows.size(), 3u);
  EXPECT_EQ(table.rows[1].label, "160m");
  EXPECT_EQ(table.rows[2].values, (std::vector<int64_t>{3, 404, 2, 1}));
  EXPECT_TRUE(table.hasScore);
  EXPECT_EQ(table.score, 404);
  EXPECT_EQ(table.credit, "Stats plug-in 1.0.0 for the CQ UT CONTEST");
  EXPECT_TRUE(ParseResultsText("").rows.empty());
}

TEST(PluginOutputsTest, TakesTheScoreFromTheResultsTextBeforeTheOutInteger) {
  const struct {
    const char* results;
    int32_t outInteger;
    int64_t score;
  } cases[] = {
      {"\tQSOs\r\nTotal\t 1\r\n\r\nScore:  = 90\r\ncredit", 90, 90},
      // With the Cabrillo flag the out-integer is -1.
      {"\tQSOs\r\nTotal\t 1\r\n\r\nScore:  = 90\r\ncredit", -1, 90},
      {"\tQSOs\r\nTotal\t 1\r\n\r\nScore:  = 3000000000\r\n", -1, 3000000000},
      {"\tQSOs\r\nTotal\t 1\r\n\r\nScore:  = x\r\n", 7, 7},
      {"", 12, 12},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PluginScore(c.results, c.outInteger), c.score) << c.results;
  }
}

TEST(PluginOutputsTest, ReadsTheScoreColumnsOfCabrilloQsoLines) {
  const struct {
    const char* line;
    bool read;
    int32_t freqKHz, points;
    bool multiplier;
    int32_t weight, serial;
    size_t exchangeFields;
  } cases[] = {
      {"QSO:  3525 CW 2026-12-19 1158 UT5XX         599 1KI    UR5AA         599  15CD 60 80 15",
       true, 3525, 60, true, 80, 15, 6},
      {"QSO: 14000 PH 2026-12-19 1230 UT5XX         59  3KI    US3CC         59 21 30 -- 21", true,
       14000, 30, false, 0, 21, 6},
      // Not scored (no call): -1 in every column.
      {"QSO: 144000 CW 2026-12-19 0905 UT5XX  599 1KI    599  15CD -1 -- -1", true, 144000, -1,
       false, 0, -1, 5},
      {"QSO: 3525 CW 2026-12-19 1158 UT5XX 599 1KI UR5AA 599 15CD 60 x 15", false, 0, 0, false, 0,
       0, 0},
      {"QSO: 3525 CW 2026-12-19 11:58 UT5XX 599 1KI UR5AA 599 15CD 60 80 15", false, 0, 0, false, 0,
       0, 0},
      {"CLAIMED-SCORE: 851", false, 0, 0, false, 0, 0, 0},
  };
  for (const auto& c : cases) {
    const std::vector<CabrilloQso> qsos = ParseCabrilloQsos(std::string(c.line) + "\r\n");
    ASSERT_EQ(qsos.size(), c.read ? 1u : 0u) << c.line;
    if (!c.read) continue;
    EXPECT_EQ(qsos[0].freqKHz, c.freqKHz) << c.line;
    EXPECT_EQ(qsos[0].points, c.points) << c.line;
    EXPECT_EQ(qsos[0].multiplier, c.multiplier) << c.line;
    EXPECT_EQ(qsos[0].multWeight, c.weight) << c.line;
    EXPECT_EQ(qsos[0].serial, c.serial) << c.line;
    EXPECT_EQ(qsos[0].exchange.size(), c.exchangeFields) << c.line;
  }
  const CabrilloQso qso = ParseCabrilloQsos(cases[0].line)[0];
  EXPECT_EQ(qso.date + " " + std::to_string(qso.hour) + ":" + std::to_string(qso.minute),
            "2026-12-19 11:58");
}

TEST(PluginOutputsTest, ReadsHeaderLinesOfAPrefixUpToTheFirstQso) {
  const std::vector<CabrilloHeaderLine> header = ParseCabrilloHeader(
      "START-OF-LOG: 3.0\r\nCATEGORY-OPERATOR: SINGLE-OP \r\nCALLSIGN: UT5XX\r\n"
      "CATEGORY-POWER:\r\nQSO:  3525 CW 2026-12-19 1158 UT5XX 599 1KI UR5AA 599 15CD 60 80 15\r\n"
      "CATEGORY-BAND: ALL\r\n",
      "CATEGORY-");
  ASSERT_EQ(header.size(), 2u);
  EXPECT_EQ(header[0].tag + "=" + header[0].value, "CATEGORY-OPERATOR=SINGLE-OP");
  EXPECT_EQ(header[1].tag + "=" + header[1].value, "CATEGORY-POWER=");
}

TEST(PluginOutputsTest, SplitsRefusedQsosFromTheirReasons) {
  const std::vector<RefusedQso> refused = ParseErrorFile(
      "CQ UT CONTEST UBN file \r\n"
      "QSO:  14080  RTTY  2026-12-19 1610  UT5XX  599  7KI  EN1DD  599  10AB   NO TEST MODE !!!\r\n"
      "\r\n"
      "QSO:  7024  CW  2026-12-19 1815  UT9ZZQ  599  247KI  UY1BO  599     NO RX NUMBER !!!");
  ASSERT_EQ(refused.size(), 2u);
  EXPECT_EQ(refused[0].qso, "14080  RTTY  2026-12-19 1610  UT5XX  599  7KI  EN1DD  599  10AB");
  EXPECT_EQ(refused[0].reason, "NO TEST MODE !!!");
  EXPECT_EQ(refused[1].qso, "7024  CW  2026-12-19 1815  UT9ZZQ  599  247KI  UY1BO  599");
  EXPECT_EQ(refused[1].reason, "NO RX NUMBER !!!");
  EXPECT_EQ(refused[1].line.substr(0, 11), "QSO:  7024 ");
  EXPECT_TRUE(ParseErrorFile("CQ UT CONTEST UBN file \r\n").empty());
}

TEST(PluginOutputsTest, CountsTheTitleAndALineForEachRefusedQso) {
  const struct {
    const char* text;
    size_t refused;
    bool complete;
    size_t lines;
  } cases[] = {
      {"title \r\n", 0, true, 1},
      {"title \r\n", 1, false, 1},
      {"title \r\nQSO: a   R\r\nQSO: b   R\r\n", 2, true, 3},
      {"title \r\nQSO: a   R\r\nQSO: b   R", 2, false, 2},
      {"", 0, false, 0},
  };
  for (const auto& c : cases) {
    size_t lines = 99;
    EXPECT_EQ(ErrorFileComplete(c.text, c.refused, &lines), c.complete) << c.text;
    EXPECT_EQ(lines, c.lines) << c.text;
  }
}

}  // namespace
}  // namespace tools
