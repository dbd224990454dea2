// The Cabrillo steps through the exports: the header dialog at reset and
// the log file with its notice at every results request.

#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "tests/contract_calls.h"
#include "tests/dialog_watcher.h"
#include "tests/fresh_header.h"
#include "tests/message_box_watcher.h"
#include "tests/test_support.h"

namespace {

namespace fs = std::filesystem;
using testing_support::DialogWatcher;
using testing_support::MessageBoxWatcher;
using testing_support::PluginUnderTest;
using testing_support::QsoCallArgs;
using testing_support::SampleQso;
using testing_support::ReadFile;

const int kCancel = 2;

using testing_support::kFreshHeaderLines;

const char kHeaderTail[] =
    "OPERATORS: UT1AA\r\n"
    "CLUB: \r\n"
    "NAME: Ivan\r\n"
    "ADDRESS: Street 1\r\n"
    "ADDRESS: Kyiv\r\n"
    "SOAPBOX: \r\n";

StatsDateTime Day(int hour, int minute = 0) {
  return StatsDateTime{46375.0 + (hour * 60 + minute) / 1440.0, 0};
}

class CabrilloContractTest : public ::testing::Test {
 protected:
  CabrilloContractTest() {
    fs::create_directory("Plugins");
    testing_support::WriteFile("Plugins/TAVIN.ini",
                               "[Settings]\r\nName=Ivan\r\nAddress=Street 1<CR><LF>Kyiv\r\n");
    const char* fixtures = std::getenv("VERSION_FIXTURE_DIR");
    if (fixtures != nullptr) {
      fs::copy_file(fs::path(fixtures) / "v2_20_0_5.exe", "Tovu2.exe");
      fs::copy_file(fs::path(fixtures) / "v3_1_4_0.exe", "Tovu3.exe");
    }
  }

  // Reset with the Cabrillo flag; the operator cancels the header dialog
  // where one can be shown, so the values are those of the settings file.
  void ResetWithCabrillo() {
    DialogWatcher dialog("CQ UT CONTEST", kCancel);
    ASSERT_EQ(Reset(m_p, 1, "UT1AA", Day(12), "AB", "G1"), 1);
    EXPECT_EQ(dialog.Finish(), DialogWatcher::kShowsWindows);
  }

  std::string Results(int32_t* score, std::string* notice) {
    MessageBoxWatcher box;
    const std::string text = m_p.GetResult0(score);
    *notice = box.Finish();
    EXPECT_EQ(box.Caption(), "Output");
    return text;
  }

  // A results request after a reset with the Cabrillo flag: the host gets
  // -1, the operator "File produced", and the log claims `claimed` and holds
  // `qsoLines`.
  void ExpectLogProduced(int32_t claimed, const std::string& qsoLines) {
    int32_t score = 7;
    std::string notice;
    Results(&score, &notice);
    EXPECT_EQ(score, -1);
    EXPECT_EQ(notice, "File produced: UT1AA.cbr");
    EXPECT_EQ(ReadFile("UT1AA.cbr"), std::string(kFreshHeaderLines) +
                                         "CLAIMED-SCORE: " + std::to_string(claimed) + "\r\n" +
                                         kHeaderTail + qsoLines + "END-OF-LOG:\r\n");
  }

  PluginUnderTest& m_p = PluginUnderTest::Get();
  testing_support::ScopedWorkDir m_dir;
};

TEST_F(CabrilloContractTest, FixturesArePresent) {
  ASSERT_NE(std::getenv("VERSION_FIXTURE_DIR"), nullptr);
}

TEST_F(CabrilloContractTest, FlagClearWritesNoFileAndShowsNoBox) {
  Reset(m_p, 0, nullptr, Day(12), "AB", "G1");
  Add(m_p, SampleQso());
  MessageBoxWatcher box(1500);
  int32_t score = 0;
  m_p.GetResult0(&score);
  EXPECT_EQ(box.Finish(), "<no box>");
  EXPECT_EQ(score, 65);
  for (const auto& entry : fs::directory_iterator(".")) {
    EXPECT_NE(entry.path().extension(), ".cbr") << entry.path();
  }
}

TEST_F(CabrilloContractTest, EmptyStoreGivesHeaderAndEndLine) {
  ResetWithCabrillo();
  ExpectLogProduced(0, "");
}

TEST_F(CabrilloContractTest, EveryRequestListsEveryQsoOnce) {
  ResetWithCabrillo();
  QsoCallArgs q = SampleQso();
  q.time = Day(14, 25);
  Add(m_p, q);
  q.call = "";
  q.band = "40m";
  q.freqHz = 7012345;
  q.mode = "SSB";
  q.exchRcvd = "RT";
  Add(m_p, q);
  const std::string lines =
      "QSO: 14025 CW 2026-12-19 1425 UT1AA         599 001AB  UR5AA         579  015CD 30 "
      "20 15\r\n"
      "QSO:  7012 PH 2026-12-19 1425 UT1AA         599 001AB                579 RT -1 -- "
      "-1\r\n";
  for (int request = 0; request < 2; ++request) ExpectLogProduced(65, lines);
  EXPECT_NE(ReadFile("Plugins/TAVIN.ini").find("Claimed=65\r\n"), std::string::npos);
}

TEST_F(CabrilloContractTest, FailedWriteIsReportedAndLosesNothing) {
  fs::create_directory("UT1AA.cbr");
  ResetWithCabrillo();
  int32_t score = 0;
  std::string notice;
  Results(&score, &notice);
  EXPECT_EQ(notice, "File not produced: UT1AA.cbr");
  EXPECT_EQ(score, -1);
  EXPECT_TRUE(fs::is_directory("UT1AA.cbr"));
  int files = 0;
  for (const auto& entry : fs::directory_iterator(".")) {
    files += entry.is_regular_file() ? 1 : 0;
  }
  EXPECT_EQ(files, 3) << "err.txt and the two host executables, no temporary file";
}

}  // namespace
