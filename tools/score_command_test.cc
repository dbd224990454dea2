#include "tools/score_command.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "gtest/gtest.h"

namespace tools {
namespace {

const char kResults[] =
    "\t\tCQ UT  Contest\r\n\tQSOs\tPoints\tCW\tSSB\r\n20m\t 1\t 90\t 1\t 0\r\n"
    "Total\t 1\t 90\t 1\t 0\r\n\r\nScore:  = 90\r\ncredit";

TEST(ScoreCommandTest, ReportHasLfLinesAndASummary) {
  ReplayOutcome outcome;
  outcome.offered = 3;
  outcome.accepted = 2;
  outcome.refused = 1;
  outcome.results = kResults;
  outcome.score = 90;
  EXPECT_EQ(FormatReport(outcome, "/w/err.txt", false, "/w"),
            "\t\tCQ UT  Contest\n\tQSOs\tPoints\tCW\tSSB\n20m\t 1\t 90\t 1\t 0\n"
            "Total\t 1\t 90\t 1\t 0\n\nScore:  = 90\ncredit\n"
            "3 QSOs offered: 2 accepted, 1 refused (listed in /w/err.txt)\n");
}

TEST(ScoreCommandTest, SummaryCountsAndCabrilloLine) {
  ReplayOutcome outcome;
  outcome.offered = 1;
  outcome.accepted = 1;
  outcome.results = "x\r\n";
  outcome.score = -1;
  EXPECT_EQ(FormatReport(outcome, "e", true, "C:\\log"),
            "x\n1 QSO offered: 1 accepted, 0 refused (listed in e)\n"
            "Cabrillo log (.cbr, named after the own callsign) written in C:\\log\n");
  outcome.score = 0;
  EXPECT_EQ(FormatReport(outcome, "e", true, "C:\\log"),
            "x\n1 QSO offered: 1 accepted, 0 refused (listed in e)\n"
            "Cabrillo log asked for, but the plug-in did not report it written\n");
  outcome = ReplayOutcome();
  EXPECT_EQ(FormatReport(outcome, "e", false, "d"),
            "0 QSOs offered: 0 accepted, 0 refused (listed in e)\n");
}

class RunScoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    log_ = (std::filesystem::temp_directory_path() /
            (std::string("logreplay_") + info->name() + ".adi"))
               .string();
  }
  void TearDown() override { std::remove(log_.c_str()); }

  void WriteLog(const std::string& text) { std::ofstream(log_, std::ios::binary) << text; }

  int Run(const std::string& pluginPath) {
    ScoreCommand command;
    command.logPath = log_;
    command.pluginPath = pluginPath;
    return RunScore(command, &out_, &err_);
  }

  std::string log_;
  std::string out_;
  std::string err_;
};

TEST_F(RunScoreTest, UnreadableLogIsBadInput) {
  EXPECT_EQ(Run("no_such_plugin"), kExitBadInput);
  EXPECT_EQ(err_, "logreplay: " + log_ + ": cannot read the file\n");
  EXPECT_EQ(out_, "");
}

TEST_F(RunScoreTest, LogIsCheckedBeforeThePluginIsLoaded) {
  WriteLog("<EOH><CALL:5>UR5AA <QSO_DATE:8>20261219 <TIME_ON:4>1399 <EOR>");
  EXPECT_EQ(Run("no_such_plugin"), kExitBadInput);
  EXPECT_EQ(err_,
            "logreplay: " + log_ + ": record 1, field TIME_ON: time \"1399\" is out of range\n");
  EXPECT_EQ(out_, "");
}

TEST_F(RunScoreTest, MissingPluginIsNamed) {
  WriteLog("<EOH><CALL:5>UR5AA <QSO_DATE:8>20261219 <TIME_ON:4>1347 <EOR>");
  EXPECT_EQ(Run("no_such_plugin"), kExitPlugin);
  EXPECT_EQ(err_.rfind("logreplay: cannot load plug-in no_such_plugin: ", 0), 0u) << err_;
  EXPECT_EQ(out_, "");
}

}  // namespace
}  // namespace tools
