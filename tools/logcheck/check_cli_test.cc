#include "tools/logcheck/check_cli.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tools {
namespace {

TEST(CheckCliTest, ClassByTakesTagsInAnyFormOnce) {
  const struct {
    std::vector<const char*> args;      // after "logs --out out"
    std::vector<std::string> expected;  // empty: refused, status 2
  } cases[] = {
      {{}, {"CATEGORY-OPERATOR", "CATEGORY-BAND", "CATEGORY-MODE", "CATEGORY-POWER"}},
      {{"--class-by", "mode,Category-Operator"}, {"CATEGORY-MODE", "CATEGORY-OPERATOR"}},
      {{"--class-by", "STATION,station"}, {"CATEGORY-STATION"}},
      {{"--class-by", "opertor"}, {}},
      {{"--class-by", "operator,,mode"}, {}},
      {{"--class-by", "CATEGORY-"}, {}},
  };
  for (const auto& c : cases) {
    std::vector<const char*> argv = {"logcheck", "logs", "--out", "out"};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    CheckCommand command;
    std::string out;
    std::string err;
    const int status =
        ParseCheckCommandLine(static_cast<int>(argv.size()), argv.data(), &command, &out, &err);
    const std::string given = c.args.empty() ? "(default)" : c.args.back();
    if (c.expected.empty()) {
      EXPECT_EQ(status, 2) << given;
      EXPECT_NE(err.find("is no category tag"), std::string::npos) << given << ": " << err;
    } else {
      EXPECT_EQ(status, -1) << given << ": " << err;
      EXPECT_EQ(command.classBy, c.expected) << given;
    }
  }
}

}  // namespace
}  // namespace tools
