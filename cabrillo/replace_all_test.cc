#include "cabrillo/replace_all.h"

#include <gtest/gtest.h>

namespace cabrillo {
namespace {

struct ReplaceCase {
  const char *text, *search, *replacement, *result;
};

class ReplaceAllTest : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceAllTest, ReplacesLeftToRightWithoutRescanning) {
  const ReplaceCase& c = GetParam();
  EXPECT_EQ(ReplaceAll(c.text, c.search, c.replacement), c.result);
}

INSTANTIATE_TEST_SUITE_P(Table, ReplaceAllTest,
                         ::testing::Values(ReplaceCase{"a<CR>b<CR>", "<CR>", "\r", "a\rb\r"},
                                           ReplaceCase{"aaa", "aa", "b", "ba"},
                                           ReplaceCase{"abc", "b", "bb", "abbc"},
                                           ReplaceCase{"x", "x", "x", "x"},
                                           ReplaceCase{"", "x", "y", ""},
                                           ReplaceCase{"<cr>", "<CR>", "\r", "<cr>"},
                                           ReplaceCase{"<CR><LF>", "<LF>", "", "<CR>"},
                                           ReplaceCase{"<<CR>>", "<CR>", "<CR>", "<<CR>>"}));

}  // namespace
}  // namespace cabrillo
