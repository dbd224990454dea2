#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/plugin_under_test.h"
#include "tests/test_support.h"

namespace testing_support {

// A contest log for tests that break the plug-in's files: QSOs on four bands
// in both modes over four tours, with refused QSOs (wrong mode, missing
// exchange) and one without a call among them.
constexpr std::size_t kFaultLogSize = 40;
constexpr char kFaultOwnCall[] = "UT1AA";
constexpr char kFaultLogFile[] = "UT1AA.cbr";
// How many QSOs of the log a fault test offers before it breaks a file, and
// the two notices the Cabrillo pass can show.
constexpr std::size_t kFaultQsos = 24;
constexpr char kFaultProduced[] = "File produced: UT1AA.cbr";
constexpr char kFaultNotProduced[] = "File not produced: UT1AA.cbr";

// What one results request gave the host and showed the operator.
struct ResultsOutcome {
  std::string text;
  int32_t score = 0;
  std::string notice;  // "<no box>" when none was shown
};

// Resets with the Cabrillo flag and the own call kFaultOwnCall (where the
// header dialog shows, the operator cancels it), then offers QSOs [0, count)
// of the log.
void StartFaultLog(PluginUnderTest& p, std::size_t count);
// Offers QSOs [from, to) of the log.
void AddFaultQsos(PluginUnderTest& p, std::size_t from, std::size_t to);
// One results request, with the notice it showed.
ResultsOutcome RequestResults(PluginUnderTest& p);

// The "QSO:" lines of a Cabrillo log, in order.
std::vector<std::string> QsoLinesOf(const std::string& cabrilloLog);

// What the first `count` QSOs give without any fault: computed once per
// count, in a folder of its own with a Plugins folder. Call it before
// starting a log of a test's own, since computing it resets the plug-in.
struct FaultReference {
  ResultsOutcome results;
  std::vector<std::string> qsoLines;
};
const FaultReference& ReferenceFor(PluginUnderTest& p, std::size_t count);

// Names of the regular files and folders in the current directory, sorted.
std::vector<std::string> FolderEntries();

// A fault test: the plug-in, the clean run of kFaultQsos QSOs to compare
// with, and a scratch folder of its own as the current directory.
class FaultTest : public ::testing::Test {
 protected:
  // The results of a faulted run against those of the clean one.
  void ExpectSameResults(const ResultsOutcome& got) const;
  // The log at `path` lists exactly the QSOs of the clean run.
  void ExpectLogListsTheStore(const std::string& path = kFaultLogFile) const;

  PluginUnderTest& m_p = PluginUnderTest::Get();
  const FaultReference& m_reference = ReferenceFor(m_p, kFaultQsos);
  ScopedWorkDir m_dir;
};

}  // namespace testing_support
