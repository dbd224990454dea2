#include "stats/decimal_value.h"

#include <cstdint>

#include <gtest/gtest.h>

namespace stats {
namespace {

struct DecimalCase {
  const char* text;
  int32_t value;
};

class DecimalValueTest : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(DecimalValueTest, ReadsTheLeadingNumber) {
  EXPECT_EQ(DecimalValue(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Table, DecimalValueTest,
                         ::testing::Values(DecimalCase{"015CD", 15}, DecimalCase{"  \t42x", 42},
                                           DecimalCase{"-7", -7}, DecimalCase{"+8", 8},
                                           DecimalCase{"RT", 0}, DecimalCase{"", 0},
                                           DecimalCase{"-", 0}, DecimalCase{"- 5", 0},
                                           DecimalCase{"2147483647", 2147483647},
                                           DecimalCase{"2147483648", 2147483647},
                                           DecimalCase{"99999999999999999999999", 2147483647},
                                           DecimalCase{"-2147483648", -2147483647 - 1},
                                           DecimalCase{"-2147483649", -2147483647 - 1},
                                           DecimalCase{"-99999999999999999999", -2147483647 - 1}));

}  // namespace
}  // namespace stats
