#include "cabrillo/file_base.h"

#include <gtest/gtest.h>

namespace cabrillo {
namespace {

struct BaseCase {
  const char *callsign, *base;
};

class FileBaseTest : public ::testing::TestWithParam<BaseCase> {};

TEST_P(FileBaseTest, NamesAFileInTheCurrentFolder) {
  EXPECT_EQ(CabrilloFileBase(GetParam().callsign), GetParam().base) << GetParam().callsign;
}

INSTANTIATE_TEST_SUITE_P(
    Table, FileBaseTest,
    ::testing::Values(BaseCase{"UT1AA", "UT1AA"}, BaseCase{"UT1AA/P", "UT1AA_P"},
                      BaseCase{"EA8/UT1AA/MM", "EA8_UT1AA_MM"}, BaseCase{"A\\B", "A_B"},
                      BaseCase{"  UT1AA \t", "UT1AA"}, BaseCase{"", "TAVIN"},
                      BaseCase{"   ", "TAVIN"}, BaseCase{"C:X", "C_X"},
                      BaseCase{"a<b>c\"d|e?f*g", "a_b_c_d_e_f_g"},
                      BaseCase{"A\x01"
                               "B",
                               "A_B"},
                      BaseCase{"CON", "CON_"}, BaseCase{"con", "con_"}, BaseCase{"Lpt9", "Lpt9_"},
                      BaseCase{"COM0", "COM0"}, BaseCase{"COM10", "COM10"},
                      BaseCase{"NUL.x", "NUL_.x"}, BaseCase{"CONTEST", "CONTEST"},
                      BaseCase{"../x", ".._x"}));

}  // namespace
}  // namespace cabrillo
