#include "stats/tour.h"

#include <gtest/gtest.h>

using platform::COleDateTime;

namespace stats {
namespace {

struct TourCase {
  int32_t startHour;
  int32_t hour;
  int32_t tour;
};

class TourOfHourTest : public ::testing::TestWithParam<TourCase> {};

TEST_P(TourOfHourTest, CountsTwoHourToursFromTheStart) {
  const TourCase& c = GetParam();
  EXPECT_EQ(TourOfHour(c.hour, c.startHour), c.tour)
      << "start " << c.startHour << " hour " << c.hour;
}

INSTANTIATE_TEST_SUITE_P(
    Table, TourOfHourTest,
    ::testing::Values(TourCase{0, 0, 1}, TourCase{0, 1, 1}, TourCase{0, 2, 2}, TourCase{0, 3, 2},
                      TourCase{0, 4, 3}, TourCase{0, 5, 3}, TourCase{0, 6, 4}, TourCase{0, 7, 4},
                      TourCase{0, 8, 0}, TourCase{0, 23, 0}, TourCase{22, 22, 1},
                      TourCase{22, 23, 1}, TourCase{22, 0, 0}, TourCase{22, 21, 0},
                      TourCase{18, 18, 1}, TourCase{18, 21, 2}, TourCase{18, 23, 3},
                      TourCase{18, 0, 0}, TourCase{18, 17, 0}, TourCase{12, 11, 0},
                      TourCase{12, 19, 4}, TourCase{12, 20, 0}));

TEST(HourOf, ReadsTheHourOrZero) {
  EXPECT_EQ(HourOf(COleDateTime(45000.5, COleDateTime::valid)), 12);
  EXPECT_EQ(HourOf(COleDateTime(45000.0 + 23.5 / 24, COleDateTime::valid)), 23);
  EXPECT_EQ(HourOf(COleDateTime(45000.5, COleDateTime::invalid)), 0);
  EXPECT_EQ(HourOf(COleDateTime(45000.5, COleDateTime::null)), 0);
  EXPECT_EQ(HourOf(COleDateTime(1e300, COleDateTime::valid)), 0);
}

}  // namespace
}  // namespace stats
