#include "stats/error_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fake_files.h"

namespace stats {
namespace {

using Calls = std::vector<std::string>;

// Every accepted QSO asks for the report with a null line, so that case
// must stay a single look-up of the name while the file is there.
TEST(ErrorReportTest, WritesItsLinesWithOneLookUpPerAcceptedQso) {
  const std::string header = "CQ UT CONTEST UBN file \r\n";
  const std::string refused = "UR5AA RTTY";
  const struct {
    const char* what;
    bool started;  // the report was started, else it is missing
    const std::string* line;
    Calls calls;
  } cases[] = {
      {"accepted QSO, report there", true, nullptr, {"Exists err.txt"}},
      {"accepted QSO, report deleted", false, nullptr, {"Exists err.txt", "Append err.txt"}},
      {"refused QSO", true, &refused, {"Append err.txt"}},
      {"refused QSO, report deleted", false, &refused, {"Append err.txt"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    testing_support::FakeFileAppender files;
    const ErrorReport report("err.txt", files);
    if (c.started) report.Start();
    files.calls.clear();
    report.Append(c.line);
    EXPECT_EQ(files.calls, c.calls);
    ASSERT_EQ(files.files.count("err.txt"), 1u);
    EXPECT_EQ(files.files["err.txt"],
              (c.started ? header : "") + (c.line != nullptr ? *c.line + "\r\n" : ""));
  }
}

}  // namespace
}  // namespace stats
