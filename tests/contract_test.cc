// The plug-in through its exports, loaded as the host loads it.

#include <cstring>
#include <filesystem>

#include <gtest/gtest.h>

#include "tests/contract_calls.h"
#include "tests/message_box_watcher.h"
#include "tests/test_support.h"

namespace {

using testing_support::PluginUnderTest;
using testing_support::QsoCallArgs;
using testing_support::SampleQso;
using testing_support::ReadFile;

const char kHeader[] = "CQ UT CONTEST UBN file \r\n";

// 2026-12-19 at hour:minute.
StatsDateTime Day(int hour, int minute = 0) {
  return StatsDateTime{46375.0 + (hour * 60 + minute) / 1440.0, 0};
}

class ContractTest : public ::testing::Test {
 protected:
  PluginUnderTest& m_p = PluginUnderTest::Get();
  testing_support::ScopedWorkDir m_dir;
};

TEST_F(ContractTest, ListsOneSet) {
  EXPECT_EQ(m_p.GetNumberOfSets(), 1);
  const char* name = m_p.GetSetName(0);
  ASSERT_NE(name, nullptr);
  EXPECT_STREQ(name, "CQ UT CONTEST");
  EXPECT_EQ(m_p.GetSetName(0), name) << "the same static text every call";
  for (int32_t index : {1, -1, 1000000, INT32_MIN}) {
    const char* other = m_p.GetSetName(index);
    ASSERT_NE(other, nullptr) << index;
    EXPECT_STREQ(other, "") << index;
  }
  EXPECT_EQ(m_p.GetExchgCount0(nullptr, nullptr, nullptr), 1);
}

TEST_F(ContractTest, IngestsAndRefusesWithTheReportByteForByte) {
  ASSERT_EQ(Reset(m_p, 0, nullptr, Day(12), "AB", "G1"), 1);
  EXPECT_EQ(ReadFile("err.txt"), kHeader);

  QsoCallArgs q = SampleQso();
  q.time = Day(13, 7);
  EXPECT_EQ(Add(m_p, q), 1);
  EXPECT_EQ(Add(m_p, q), 1);
  q.mode = "cw";
  EXPECT_EQ(Add(m_p, q), 0);
  q.mode = "SSB";
  q.exchRcvd = "";
  EXPECT_EQ(Add(m_p, q), 0);
  EXPECT_EQ(ReadFile("err.txt"),
            std::string(kHeader) +
                "QSO:  14025  cw  2026-12-19 1307  UT1AA  599  001AB  UR5AA  579  "
                "015CD   NO TEST MODE !!!\r\n"
                "QSO:  14025  SSB  2026-12-19 1307  UT1AA  599  001AB  UR5AA  579  "
                "   NO RX NUMBER !!!\r\n");

  int32_t score = 0;
  m_p.GetResult0(&score);
  EXPECT_EQ(score, 30 + 20 + 15) << "one QSO stored once, group as own";
}

TEST_F(ContractTest, NullPointersInReadPositionsCountAsEmpty) {
  Reset(m_p, 0, nullptr, Day(12), nullptr, nullptr);
  QsoCallArgs q = SampleQso();
  q.ownCall = nullptr;
  q.call = nullptr;
  q.time = nullptr;
  q.mode = nullptr;
  q.rstSent = q.exchSent = nullptr;
  EXPECT_EQ(Add(m_p, q), 0);
  EXPECT_EQ(ReadFile("err.txt"), std::string(kHeader) + "QSO:  14025" + std::string(14, ' ') +
                                     "579  015CD   NO TEST MODE !!!\r\n");
  QsoCallArgs r = SampleQso();
  r.multCode = r.group = r.band = nullptr;
  EXPECT_EQ(Add(m_p, r), 1);
  r.band = "";
  EXPECT_EQ(Remove(m_p, SampleQso()), 1);  // other band: nothing removed
  r.exchSent = nullptr;
  EXPECT_EQ(Remove(m_p, r), 0);
  r.exchSent = "001AB";
  EXPECT_EQ(Remove(m_p, r), 1);
  int32_t score = -5;
  m_p.GetResult0(&score);
  EXPECT_EQ(score, 0) << "the QSO on the empty band was removed";
  EXPECT_EQ(Check(m_p, nullptr, nullptr, nullptr, nullptr), 2);
  EXPECT_EQ(m_p.ResetStats0(nullptr, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0, 0,
                            0.0, 0.0, nullptr, nullptr, nullptr),
            1);
  EXPECT_NE(m_p.GetResult0(nullptr), nullptr);
}

TEST_F(ContractTest, WorkedExampleScores295) {
  std::filesystem::create_directory("Plugins");
  Reset(m_p, 0, nullptr, Day(12), "AB", "G1");
  struct Row {
    const char *call, *band, *mode, *code;
    int hour;
    const char *group, *exchRcvd, *exchSent;
  };
  const Row rows[] = {{"UT1A", "20m", "CW", "AB", 14, "G1", "015CD", "001AB"},
                      {"UT2B", "20m", "SSB", "CD", 12, "G1", "RT", "007AB"},
                      {"UT3C", "20m", "CW", "AB", 13, "G1", "020EF", "002AB"},
                      {"UT4D", "80m", "CW", "XY", 15, "G2", "003GH", "003AB"},
                      {"", "80m", "SSB", "XY", 14, "G2", "004GH", "004AB"},
                      {"UT6F", "20m", "SSB", "AB", 15, "G1", "012XY", "005AB"}};
  for (const Row& row : rows) {
    QsoCallArgs q = SampleQso();
    q.call = row.call;
    q.band = row.band;
    q.mode = row.mode;
    q.multCode = row.code;
    q.time = Day(row.hour, 30);
    q.group = row.group;
    q.exchRcvd = row.exchRcvd;
    q.exchSent = row.exchSent;
    ASSERT_EQ(Add(m_p, q), 1) << row.call;
  }
  int32_t score = 0;
  const char* text = m_p.GetResult0(&score);
  EXPECT_EQ(score, 295);
  EXPECT_EQ(std::string(text).substr(0, std::string(text).rfind("\r\n") + 2),
            "\t\tCQ UT  Contest\r\n\tQSOs\tPoints\tCW\tSSB\r\n"
            "80m\t 1\t 143\t 1\t 0\r\n"
            "20m\t 4\t 152\t 2\t 2\r\n"
            "Total\t 6\t 295\t 3\t 2\r\n"
            "\r\nScore:  = 295\r\n");
  const std::string credit = std::string(text).substr(std::string(text).rfind("\r\n") + 2);
  EXPECT_NE(credit.find("Stats"), std::string::npos);
  EXPECT_EQ(credit.find('\n'), std::string::npos);
  EXPECT_EQ(ReadFile("Plugins/TAVIN.ini"), "[Settings]\r\nClaimed=295\r\n");

  // The band order stays, and a reset then empties everything.
  Reset(m_p, 0, nullptr, Day(12), "AB", "G1");
  text = m_p.GetResult0(&score);
  EXPECT_EQ(score, 0);
  EXPECT_EQ(ReadFile("Plugins/TAVIN.ini"), "[Settings]\r\nClaimed=0\r\n");
}

TEST_F(ContractTest, MissingPluginsFolderIsNoError) {
  Reset(m_p, 0, nullptr, Day(12), "AB", "G1");
  int32_t score = -1;
  EXPECT_NE(m_p.GetResult0(&score), nullptr);
  EXPECT_EQ(score, 0);
  EXPECT_FALSE(std::filesystem::exists("Plugins"));
}

TEST_F(ContractTest, CallCheckAndExchangeValidation) {
  Reset(m_p, 0, nullptr, Day(0), "AB", "G1");
  EXPECT_EQ(Check(m_p, "UR5AA", "CW", "CD", "20m"), 2);
  const struct {
    const char* text;
    int32_t field;
    int32_t valid;
  } cases[] = {{"123AB", 0, 1}, {"123ab", 0, 1},    {"12AB3", 0, 0},
               {"123A", 0, 0},  {"123ABC", 0, 0},   {"", 0, 0},
               {"123AB", 1, 0}, {"123A\xC1", 0, 0}, {nullptr, 0, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(ValidExchange(m_p, c.text, c.field), c.valid) << (c.text ? c.text : "null");
  }
}

TEST_F(ContractTest, SetupLeavesEverythingAlone) {
  std::filesystem::create_directory("Plugins");
  Reset(m_p, 0, nullptr, Day(12), "AB", "G1");
  QsoCallArgs q = SampleQso();
  Add(m_p, q);
  int32_t before = 0;
  const std::string text = m_p.GetResult0(&before);
  const std::string settings = ReadFile("Plugins/TAVIN.ini");
  testing_support::MessageBoxWatcher box;
  m_p.SetupSet0();
  EXPECT_EQ(box.Finish(), "No additional setup for this contest");
  EXPECT_EQ(box.Caption(), "Error") << "no caption of its own: the system's default";
  int32_t after = 0;
  EXPECT_EQ(m_p.GetResult0(&after), text);
  EXPECT_EQ(after, before);
  EXPECT_EQ(ReadFile("Plugins/TAVIN.ini"), settings);
  EXPECT_EQ(ReadFile("err.txt"), kHeader);
}

}  // namespace
