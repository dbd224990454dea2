// Files the plug-in cannot write, through the exports, on every system:
// nothing crashes, the results and the store stay as they would be, and the
// notice says whether the Cabrillo log was produced.

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "tests/fault_scenario.h"
#include "tests/test_support.h"

namespace testing_support {
namespace {

namespace fs = std::filesystem;

class FileFaultsTest : public FaultTest {
 protected:
  // Logs the fault scenario and requests the results: they, the notice and
  // the Cabrillo log are as without a fault.
  void ExpectAWholeRun() {
    testing_support::StartFaultLog(m_p, kFaultQsos);
    const ResultsOutcome got = testing_support::RequestResults(m_p);
    ExpectSameResults(got);
    EXPECT_EQ(got.notice, kFaultProduced);
    ExpectLogListsTheStore();
  }
};

TEST_F(FileFaultsTest, ReferenceRunIsWhole) {
  EXPECT_EQ(m_reference.results.notice, kFaultProduced);
  EXPECT_EQ(m_reference.qsoLines.size(), 19u) << "24 offered, 5 refused";
  EXPECT_NE(m_reference.results.text.find("Total\t 19\t"), std::string::npos)
      << m_reference.results.text;
}

TEST_F(FileFaultsTest, ErrorReportThatIsAFolder) {
  fs::create_directory("Plugins");
  fs::create_directory("err.txt");
  ExpectAWholeRun();
  EXPECT_TRUE(fs::is_directory("err.txt"));
  EXPECT_TRUE(fs::is_empty("err.txt"));
}

TEST_F(FileFaultsTest, LogThatIsAFolderIsNotProducedAndLosesNoQso) {
  fs::create_directory("Plugins");
  fs::create_directory(kFaultLogFile);
  testing_support::StartFaultLog(m_p, kFaultQsos);
  const ResultsOutcome got = testing_support::RequestResults(m_p);
  ExpectSameResults(got);
  EXPECT_EQ(got.notice, kFaultNotProduced);
  EXPECT_TRUE(fs::is_directory(kFaultLogFile));
  EXPECT_TRUE(fs::is_empty(kFaultLogFile));
  EXPECT_EQ(testing_support::FolderEntries(),
            (std::vector<std::string>{"Plugins", kFaultLogFile, "err.txt"}))
      << "no temporary file left behind";

  // Once the folder is gone, the next request writes every stored QSO.
  fs::remove(kFaultLogFile);
  const ResultsOutcome again = testing_support::RequestResults(m_p);
  ExpectSameResults(again);
  EXPECT_EQ(again.notice, kFaultProduced);
  ExpectLogListsTheStore();
}

// The operator's protection of the previous log stands on every system,
// also for root: the log is not replaced and the notice says so; once the
// file is writable again, the next request writes every stored QSO.
TEST_F(FileFaultsTest, ReadOnlyLogIsKeptAndNotProduced) {
  fs::create_directory("Plugins");
  WriteFile(kFaultLogFile, "previous log\r\n");
  const fs::perms writable =
      fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  fs::permissions(kFaultLogFile, writable, fs::perm_options::remove);
  testing_support::StartFaultLog(m_p, kFaultQsos);
  const ResultsOutcome got = testing_support::RequestResults(m_p);
  ExpectSameResults(got);
  EXPECT_EQ(got.notice, kFaultNotProduced);
  EXPECT_EQ(ReadFile(kFaultLogFile), "previous log\r\n");
  EXPECT_EQ(testing_support::FolderEntries(),
            (std::vector<std::string>{"Plugins", kFaultLogFile, "err.txt"}))
      << "no temporary file left behind";

  fs::permissions(kFaultLogFile, fs::perms::owner_write, fs::perm_options::add);
  const ResultsOutcome again = testing_support::RequestResults(m_p);
  ExpectSameResults(again);
  EXPECT_EQ(again.notice, kFaultProduced);
  ExpectLogListsTheStore();
}

TEST_F(FileFaultsTest, MissingPluginsFolder) {
  ExpectAWholeRun();
  EXPECT_FALSE(fs::exists("Plugins")) << "nothing creates the folder";
  EXPECT_NE(ReadFile(kFaultLogFile).find("\r\nOPERATORS: UT1AA\r\n"), std::string::npos)
      << "the header falls back to the own call";
}

TEST_F(FileFaultsTest, SettingsFileThatIsAFolder) {
  fs::create_directories("Plugins/TAVIN.ini");
  ExpectAWholeRun();
  EXPECT_TRUE(fs::is_directory("Plugins/TAVIN.ini"));
  EXPECT_TRUE(fs::is_empty("Plugins/TAVIN.ini"));
}

}  // namespace
}  // namespace testing_support
