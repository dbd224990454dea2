// Call sequences that fuzz_exports found to break the plug-in, kept as
// contract tests on every system (their inputs are in
// fuzz/regressions/fuzz_exports/).

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "tests/contract_calls.h"
#include "tests/dialog_watcher.h"
#include "tests/fault_scenario.h"
#include "tests/test_support.h"

namespace {

using testing_support::PluginUnderTest;
using testing_support::QsoCallArgs;
using testing_support::SampleQso;
using testing_support::QsoLinesOf;
using testing_support::ReadFile;
using testing_support::ResultsOutcome;

class FuzzRegressionTest : public ::testing::Test {
 protected:
  PluginUnderTest& m_p = PluginUnderTest::Get();
  testing_support::ScopedWorkDir m_dir;
};

// A store emptied by removal once reported a huge record count, and the
// Cabrillo pass read past the end of its order (heap-buffer-overflow).
TEST_F(FuzzRegressionTest, RemovingTheOnlyQsoLeavesAnEmptyStore) {
  for (const int removals : {1, 2}) {
    SCOPED_TRACE(removals);
    testing_support::StartFaultLog(m_p, 0);
    QsoCallArgs q = SampleQso();
    ASSERT_EQ(Add(m_p, q), 1);
    for (int i = 0; i < removals; ++i) EXPECT_EQ(Remove(m_p, q), 1);
    const ResultsOutcome emptied = testing_support::RequestResults(m_p);
    EXPECT_NE(emptied.text.find("\r\nTotal\t 0\t 0\t 0\t 0\r\n"), std::string::npos)
        << emptied.text;
    EXPECT_EQ(emptied.notice, "File produced: UT1AA.cbr");
    EXPECT_TRUE(QsoLinesOf(ReadFile("UT1AA.cbr")).empty());

    ASSERT_EQ(Add(m_p, q), 1);
    testing_support::RequestResults(m_p);
    EXPECT_EQ(QsoLinesOf(ReadFile("UT1AA.cbr")).size(), 1u);
  }
}

}  // namespace
