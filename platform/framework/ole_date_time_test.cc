#include "platform/framework/ole_date_time.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace platform {
namespace {

struct CalendarCase {
  double value;
  const char* text;  // "%Y-%m-%d %H:%M:%S"
};

// The time of day without the date must agree with the calendar fields.
void ExpectMinuteOfDayOfFields(double value) {
  CalendarFields f;
  ASSERT_TRUE(OleDateToCalendar(value, &f)) << value;
  EXPECT_EQ(COleDateTime(value, COleDateTime::valid).GetMinuteOfDay(), f.hour * 60 + f.minute)
      << value;
}

class OleDateToCalendarTest : public ::testing::TestWithParam<CalendarCase> {};

TEST_P(OleDateToCalendarTest, GivesFieldsRoundedToTheSecond) {
  const CalendarCase& c = GetParam();
  EXPECT_EQ(COleDateTime(c.value, COleDateTime::valid).Format("%Y-%m-%d %H:%M:%S"), c.text)
      << "value " << c.value;
  ExpectMinuteOfDayOfFields(c.value);
}

INSTANTIATE_TEST_SUITE_P(
    KnownDates, OleDateToCalendarTest,
    ::testing::Values(
        CalendarCase{0.0, "1899-12-30 00:00:00"}, CalendarCase{1.0, "1899-12-31 00:00:00"},
        CalendarCase{2.0, "1900-01-01 00:00:00"}, CalendarCase{5.875, "1900-01-04 21:00:00"},
        CalendarCase{45000.5, "2023-03-15 12:00:00"}, CalendarCase{29221.0, "1980-01-01 00:00:00"},
        CalendarCase{29221.33333333, "1980-01-01 08:00:00"},
        CalendarCase{29221.7508765432, "1980-01-01 18:01:16"},
        CalendarCase{29221.9888884444, "1980-01-01 23:44:00"},
        // Negative values: the fraction counts forward from that day's start.
        CalendarCase{-0.25, "1899-12-30 06:00:00"}, CalendarCase{-0.75, "1899-12-30 18:00:00"},
        CalendarCase{-1.25, "1899-12-29 06:00:00"}, CalendarCase{-2.5, "1899-12-28 12:00:00"},
        CalendarCase{-5.9999884259259, "1899-12-25 23:59:59"},
        // Ends of the range.
        CalendarCase{-657434.0, "100-01-01 00:00:00"},
        CalendarCase{-657434.5, "100-01-01 12:00:00"},
        CalendarCase{2958465.0, "9999-12-31 00:00:00"},
        CalendarCase{2958465.5, "9999-12-31 12:00:00"},
        CalendarCase{2958465.9999, "9999-12-31 23:59:51"},
        // Leap days.
        CalendarCase{36950.0, "2001-02-28 00:00:00"}, CalendarCase{36951.0, "2001-03-01 00:00:00"},
        CalendarCase{36585.0, "2000-02-29 00:00:00"}));

struct RoundingCase {
  double secondsAfter;  // seconds after 2023-03-15 12:00:00
  const char* text;
};

class SecondRoundingTest : public ::testing::TestWithParam<RoundingCase> {};

TEST_P(SecondRoundingTest, RoundsToTheNearestSecond) {
  const RoundingCase& c = GetParam();
  const double value = 45000.5 + c.secondsAfter / 86400.0;
  EXPECT_EQ(COleDateTime(value, COleDateTime::valid).Format("%Y-%m-%d %H:%M:%S"), c.text);
  ExpectMinuteOfDayOfFields(value);
}

INSTANTIATE_TEST_SUITE_P(HalfSeconds, SecondRoundingTest,
                         ::testing::Values(RoundingCase{0.49, "2023-03-15 12:00:00"},
                                           RoundingCase{0.51, "2023-03-15 12:00:01"},
                                           RoundingCase{59.6, "2023-03-15 12:01:00"},
                                           RoundingCase{3599.6, "2023-03-15 13:00:00"},
                                           // 23:59:59.6 rolls into the next day.
                                           RoundingCase{43199.6, "2023-03-16 00:00:00"}));

TEST(OleDateToCalendar, RejectsValuesWithoutACalendarDate) {
  const double inf = std::numeric_limits<double>::infinity();
  for (double value : {std::nan(""), inf, -inf, 1e300, -657435.0, 2958466.0, 2958465.99999999}) {
    CalendarFields fields;
    EXPECT_FALSE(OleDateToCalendar(value, &fields)) << value;
    COleDateTime time(value, COleDateTime::valid);
    EXPECT_EQ(time.Format("%H"), "Invalid DateTime") << value;
    EXPECT_EQ(time.GetHour(), -1) << value;
    EXPECT_EQ(time.GetMinute(), -1) << value;
    EXPECT_EQ(time.GetMinuteOfDay(), -1) << value;
  }
}

TEST(OleDateToCalendar, GivesTheDayOfWeek) {
  CalendarFields f;
  ASSERT_TRUE(OleDateToCalendar(0.0, &f));
  EXPECT_EQ(f.dayOfWeek, 6);  // Saturday
  ASSERT_TRUE(OleDateToCalendar(29221.0, &f));
  EXPECT_EQ(f.dayOfWeek, 2);  // Tuesday
  ASSERT_TRUE(OleDateToCalendar(-1.25, &f));
  EXPECT_EQ(f.dayOfWeek, 5);  // Friday
}

TEST(COleDateTimeFormat, FollowsTheStatus) {
  EXPECT_EQ(COleDateTime(45000.5, COleDateTime::valid).Format("%Y-%m-%d %H%M"), "2023-03-15 1200");
  EXPECT_EQ(COleDateTime(45000.5, COleDateTime::invalid).Format("%Y-%m-%d %H%M"),
            "Invalid DateTime");
  EXPECT_EQ(COleDateTime(45000.5, COleDateTime::null).Format("%Y-%m-%d %H%M"), "");
  EXPECT_EQ(COleDateTime(45000.5, COleDateTime::null).GetHour(), -1);
  EXPECT_EQ(COleDateTime(45000.5 + 1.0 / 24 / 60 * 7, COleDateTime::valid).Format("%H"), "12");
  EXPECT_EQ(COleDateTime(45000.25, COleDateTime::valid).Format("%H:%M %% %q"), "06:00 % %q");
}

TEST(COleDateTimeEquality, ValidByValueNullAlwaysInvalidNever) {
  const COleDateTime a(45000.5, COleDateTime::valid);
  EXPECT_TRUE(a == COleDateTime(45000.5, COleDateTime::valid));
  EXPECT_FALSE(a == COleDateTime(45000.25, COleDateTime::valid));
  EXPECT_TRUE(COleDateTime(1.0, COleDateTime::null) == COleDateTime(2.0, COleDateTime::null));
  const COleDateTime bad(45000.5, COleDateTime::invalid);
  EXPECT_FALSE(bad == bad);
  EXPECT_FALSE(a == COleDateTime(45000.5, COleDateTime::null));
}

}  // namespace
}  // namespace platform
