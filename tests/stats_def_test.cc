// Stats.def, which gives the Windows library its export table, against the
// list of the exports that the host side resolves: the same names, decorated
// names and ordinals, and nothing else.

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/stats_exports.h"
#include "tests/test_support.h"

namespace {

// The lines below EXPORTS, white space folded to single blanks.
std::vector<std::string> DefExports(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  bool exports = false;
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    std::string folded;
    for (std::string word; words >> word;) folded += (folded.empty() ? "" : " ") + word;
    if (exports && !folded.empty()) lines.push_back(folded);
    if (folded == "EXPORTS") exports = true;
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

TEST(StatsDef, ListsEveryExportOnceUnderBothNames) {
  std::vector<std::string> expected;
  for (const StatsExportNames& e : kStatsExports) {
    expected.push_back(std::string(e.decorated) + " = " + e.plain + " @" +
                       std::to_string(e.ordinal));
    expected.push_back(std::string(e.plain) + " @" + std::to_string(e.plainOrdinal));
  }
  std::sort(expected.begin(), expected.end());
  const std::string def = testing_support::ReadFile(STATS_DEF_FILE);
  ASSERT_FALSE(def.empty()) << STATS_DEF_FILE;
  EXPECT_EQ(DefExports(def), expected);
}

}  // namespace
