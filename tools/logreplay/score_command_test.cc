#include "tools/logreplay/score_command.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

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
  EXPECT_EQ(FormatReport(outcome, "/w/err.txt", 0, ""),
            "\t\tCQ UT  Contest\n\tQSOs\tPoints\tCW\tSSB\n20m\t 1\t 90\t 1\t 0\n"
            "Total\t 1\t 90\t 1\t 0\n\nScore:  = 90\ncredit\n"
            "3 QSOs offered: 2 accepted, 1 refused (listed in /w/err.txt)\n");
}

TEST(ScoreCommandTest, SummaryCountsWarningsAndEndsWithTheCabrilloLine) {
  const std::string summary = "x\n1 QSO offered: 1 accepted, 0 refused (listed in e)\n";
  const struct {
    size_t warnings;
    std::string cabrilloLine;
    std::string tail;
  } cases[] = {
      {0, "", ""},
      {1, "", "1 warning on standard error\n"},
      {2, "Cabrillo log: File produced: UT9ZZQ.cbr in C:\\log",
       "2 warnings on standard error\nCabrillo log: File produced: UT9ZZQ.cbr in C:\\log\n"},
  };
  for (const auto& c : cases) {
    ReplayOutcome outcome;
    outcome.offered = 1;
    outcome.accepted = 1;
    outcome.results = "x\r\n";
    EXPECT_EQ(FormatReport(outcome, "e", c.warnings, c.cabrilloLine), summary + c.tail);
  }
}

// The notice when there is one, the folder when there is none (no display
// to show it on): a file that was there before proves nothing.
TEST(ScoreCommandTest, JudgesTheCabrilloLogByNoticeAndByFolder) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / "logreplay_judge_cabrillo";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const std::string written = (folder / "UT9ZZQ.cbr").string();
  const std::string old = (folder / "OLD.cbr").string();
  const std::string missing = (folder / "NONE.cbr").string();
  std::ofstream(old) << "old";
  const FileState oldState = FileState::Of(old);
  std::ofstream(written) << "new";
  const struct {
    std::vector<std::string> notices;
    std::string expectedName;
    FileState before;
    bool produced;
    std::string line;
  } cases[] = {
      {{"Output: File produced: " + written},
       written,
       {},
       true,
       "Cabrillo log: File produced: " + written + " in F"},
      {{"Output: File produced: " + missing},
       missing,
       {},
       false,
       "Cabrillo log: the plug-in said \"File produced: " + missing +
           "\", but no such file is in F"},
      {{"Error: other", "Output: File not produced: CON.cbr"},
       written,
       {},
       false,
       "Cabrillo log: File not produced: CON.cbr"},
      {{},
       written,
       {},
       true,
       "Cabrillo log: File produced: " + written +
           " in F (found there; the plug-in's notice was not seen)"},
      {{},
       old,
       oldState,
       false,
       "Cabrillo log: the plug-in gave no notice and wrote no " + old + " (score -1)"},
      {{},
       missing,
       {},
       false,
       "Cabrillo log: the plug-in gave no notice and wrote no " + missing + " (score -1)"},
  };
  for (const auto& c : cases) {
    ReplayOutcome outcome;
    outcome.score = -1;
    outcome.notices = c.notices;
    const CabrilloOutcome judged = JudgeCabrillo(outcome, c.expectedName, c.before, "F");
    EXPECT_EQ(judged.produced, c.produced) << c.line;
    EXPECT_EQ(judged.line, c.line);
  }
  std::filesystem::remove_all(folder);
}

TEST(ScoreCommandTest, SettingsAndErrorsArePrintableLines) {
  EXPECT_EQ(FormatSettings({{"own call", "UT9ZZQ", "option --own-call"},
                            {"own group code", "", "no --own-group"},
                            {"odd", "A\nB\xC3", "log field X"}}),
            "Replay settings\n"
            "  own call:        UT9ZZQ (option --own-call)\n"
            "  own group code:  (empty) (no --own-group)\n"
            "  odd:             A\\x0AB\\xC3 (log field X)\n\n");
  EXPECT_EQ(ErrorLine("bad \"\x01\r\n\""), "logreplay: bad \"\\x01\\x0D\\x0A\"\n");
  // Names in the user's own script stay readable; what is not UTF-8, or
  // is a control in it, does not pass.
  const struct {
    std::string message;
    std::string shown;
  } bytes[] = {
      {"\xD0\xB6\xD1\x83\xD1\x80\xD0\xBD\xD0\xB0\xD0\xBB.adi", "журнал.adi"},
      {"\xE2\x82\xAC \xF0\x9F\x93\xBB", "\xE2\x82\xAC \xF0\x9F\x93\xBB"},
      {"\xD0", "\\xD0"},                             // cut off
      {"\xD0\x41", "\\xD0A"},                        // no continuation
      {"\xC2\x85", "\\xC2\\x85"},                    // C1 control NEL
      {"\xC0\xAF", "\\xC0\\xAF"},                    // overlong '/'
      {"\xED\xA0\x80", "\\xED\\xA0\\x80"},           // surrogate
      {"\xF4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},  // above U+10FFFF
  };
  for (const auto& c : bytes) {
    EXPECT_EQ(ErrorLine(c.message), "logreplay: " + c.shown + "\n");
  }
  const std::string line = ErrorLine(std::string(5000, 'a'));
  EXPECT_LT(line.size(), 500u);
  EXPECT_EQ(line.substr(line.size() - 4), "...\n");
}

class RunScoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    m_log = (std::filesystem::temp_directory_path() /
             (std::string("logreplay_") + info->name() + ".adi"))
                .string();
  }
  void TearDown() override { std::remove(m_log.c_str()); }

  void WriteLog(const std::string& text) { std::ofstream(m_log, std::ios::binary) << text; }

  int Run(const std::string& pluginPath) {
    ScoreCommand command;
    command.logPath = m_log;
    command.pluginPath = pluginPath;
    return RunScore(command, &m_out, &m_err);
  }

  std::string m_log;
  std::string m_out;
  std::string m_err;
};

TEST_F(RunScoreTest, UnreadableLogIsBadInput) {
  EXPECT_EQ(Run("no_such_plugin"), kExitBadInput);
  EXPECT_EQ(m_err.rfind("logreplay: " + m_log + ": cannot open the file: ", 0), 0u) << m_err;
  EXPECT_EQ(m_out, "");
}

TEST_F(RunScoreTest, LogIsCheckedBeforeThePluginIsLoaded) {
  WriteLog("<EOH><CALL:5>UR5AA <QSO_DATE:8>20261219 <TIME_ON:4>1399 <EOR>");
  EXPECT_EQ(Run("no_such_plugin"), kExitBadInput);
  EXPECT_EQ(m_err,
            "logreplay: " + m_log + ": record 1, field TIME_ON: time \"1399\" is out of range\n");
  EXPECT_EQ(m_out, "");
}

TEST_F(RunScoreTest, MissingPluginIsNamed) {
  WriteLog(
      "<EOH><CALL:5>UR5AA <QSO_DATE:8>20261219 <TIME_ON:4>1347 <BAND:3>20m "
      "<STX_STRING:5>001KI <OPERATOR:4>UT1A <EOR>");
  EXPECT_EQ(Run("no_such_plugin"), kExitPlugin);
  EXPECT_EQ(m_err.rfind("logreplay: cannot load plug-in: no_such_plugin", 0), 0u) << m_err;
  EXPECT_EQ(m_out, "");
}

}  // namespace
}  // namespace tools
