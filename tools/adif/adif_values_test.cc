#include "tools/adif/adif_values.h"

#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "gtest/gtest.h"
#include "platform/framework/ole_date_time.h"

using platform::CalendarFields;
using platform::OleDateToCalendar;

namespace tools {
namespace {

TEST(AdifValuesTest, ParsesFrequencyExactly) {
  const struct {
    const char* text;
    uint32_t hz;
  } cases[] = {
      {"14.025", 14025000},
      {"7.0123", 7012300},
      {"3.5", 3500000},
      {"28", 28000000},
      {".5", 500000},
      {"5.", 5000000},
      {"0014.025", 14025000},
      {"14.0250009", 14025000},
      {"0", 0},
      {"21.000001", 21000001},
      {"4294.967295", UINT32_MAX},
      {"0.1", 100000},
      {"3.7999999", 3799999},
  };
  for (const auto& c : cases) {
    uint32_t hz = 1;
    std::string problem;
    EXPECT_TRUE(ParseFrequencyMhz(c.text, &hz, &problem)) << c.text << ": " << problem;
    EXPECT_EQ(hz, c.hz) << c.text;
  }
}

TEST(AdifValuesTest, RefusesMalformedFrequency) {
  const struct {
    const char* text;
    const char* fragment;
  } cases[] = {
      {"", "no digits"},
      {".", "no digits"},
      {"-14.025", "not a decimal"},
      {"+14", "not a decimal"},
      {"14,025", "not a decimal"},
      {"14.0.1", "not a decimal"},
      {" 14.025", "not a decimal"},
      {"14.025 ", "not a decimal"},
      {"1e3", "not a decimal"},
      {"abc", "not a decimal"},
      {"4294.967296", "above"},
      {"4295", "above"},
      {"99999999999999999999999", "above"},
  };
  for (const auto& c : cases) {
    uint32_t hz = 77;
    std::string problem;
    EXPECT_FALSE(ParseFrequencyMhz(c.text, &hz, &problem)) << c.text;
    EXPECT_EQ(hz, 77u) << c.text;
    EXPECT_NE(problem.find(c.fragment), std::string::npos) << c.text << ": " << problem;
  }
}

TEST(AdifValuesTest, FormattedFrequencyParsesBack) {
  EXPECT_EQ(FormatFrequencyMhz(14025000), "14.025");
  EXPECT_EQ(FormatFrequencyMhz(7012340), "7.01234");
  EXPECT_EQ(FormatFrequencyMhz(0), "0.000");
  EXPECT_EQ(FormatFrequencyMhz(UINT32_MAX), "4294.967295");
  std::mt19937 engine(3);
  for (int i = 0; i < 1000; ++i) {
    const uint32_t hz = static_cast<uint32_t>(engine());
    uint32_t back = 0;
    std::string problem;
    ASSERT_TRUE(ParseFrequencyMhz(FormatFrequencyMhz(hz), &back, &problem));
    ASSERT_EQ(back, hz);
  }
}

TEST(AdifValuesTest, ParsesOnlyRealCalendarDates) {
  const struct {
    const char* text;
    bool valid;
  } cases[] = {
      {"20261219", true},  {"19000101", true},   {"99991231", true},    {"20240229", true},
      {"20000229", true},  {"20230229", false},  {"19000229", false},   {"18991231", false},
      {"20261301", false}, {"20261200", false},  {"20261131", false},   {"00000000", false},
      {"2026121", false},  {"202612190", false}, {"2026-12-19", false}, {"2026121a", false},
      {"", false},
  };
  for (const auto& c : cases) {
    CivilDate date;
    std::string problem;
    EXPECT_EQ(ParseAdifDate(c.text, &date, &problem), c.valid) << c.text;
    EXPECT_EQ(problem.empty(), c.valid) << c.text;
  }
}

TEST(AdifValuesTest, ParsesTimesWithAndWithoutSeconds) {
  const struct {
    const char* text;
    bool valid;
    int hour, minute, second;
  } cases[] = {
      {"1425", true, 14, 25, 0},    {"142536", true, 14, 25, 36}, {"0000", true, 0, 0, 0},
      {"235959", true, 23, 59, 59}, {"2400", false, 0, 0, 0},     {"1260", false, 0, 0, 0},
      {"123460", false, 0, 0, 0},   {"125", false, 0, 0, 0},      {"12345", false, 0, 0, 0},
      {"12:45", false, 0, 0, 0},    {"", false, 0, 0, 0},         {"-100", false, 0, 0, 0},
  };
  for (const auto& c : cases) {
    TimeOfDay time;
    std::string problem;
    ASSERT_EQ(ParseAdifTime(c.text, &time, &problem), c.valid) << c.text;
    if (!c.valid) continue;
    EXPECT_EQ(time.hour, c.hour) << c.text;
    EXPECT_EQ(time.minute, c.minute) << c.text;
    EXPECT_EQ(time.second, c.second) << c.text;
  }
}

TEST(AdifValuesTest, OleDateCountsDaysFrom18991230) {
  EXPECT_EQ(ToOleDate({1900, 1, 1}, {0, 0, 0}), 2.0);
  EXPECT_EQ(ToOleDate({1900, 3, 1}, {0, 0, 0}), 61.0);
  EXPECT_EQ(ToOleDate({2000, 1, 1}, {0, 0, 0}), 36526.0);
  EXPECT_EQ(ToOleDate({9999, 12, 31}, {0, 0, 0}), 2958465.0);
  EXPECT_EQ(ToOleDate({2026, 12, 19}, {18, 0, 0}), 46375.75);
  EXPECT_EQ(ToOleDate({2026, 12, 19}, {14, 25, 36}), 46375.0 + 51936 / 86400.0);
}

TEST(AdifValuesTest, OleDateAgreesWithCalendarConversion) {
  std::mt19937 engine(11);
  for (int i = 0; i < 20000; ++i) {
    const double day = 2 + engine() % 2958464;
    CalendarFields f;
    ASSERT_TRUE(OleDateToCalendar(day, &f));
    const TimeOfDay time{static_cast<int>(engine() % 24), static_cast<int>(engine() % 60),
                         static_cast<int>(engine() % 60)};
    const double ole = ToOleDate({f.year, f.month, f.day}, time);
    ASSERT_EQ(std::floor(ole), day) << f.year << "-" << f.month << "-" << f.day;
    CalendarFields back;
    ASSERT_TRUE(OleDateToCalendar(ole, &back));
    ASSERT_EQ(back.hour * 3600 + back.minute * 60 + back.second,
              time.hour * 3600 + time.minute * 60 + time.second);
  }
}

TEST(AdifValuesTest, ContestStartTakesBothDateForms) {
  double dashed = 0.0;
  double compact = 0.0;
  std::string problem;
  ASSERT_TRUE(ContestStartToOle("2026-12-19", 12, &dashed, &problem));
  ASSERT_TRUE(ContestStartToOle("20261219", 12, &compact, &problem));
  EXPECT_EQ(dashed, 46375.5);
  EXPECT_EQ(compact, dashed);

  const struct {
    const char* date;
    int hour;
  } bad[] = {{"2026/12/19", 12}, {"2026-02-30", 12}, {"2026-12-19", 24},
             {"2026-12-19", -1}, {"26-12-19", 12},   {"", 0}};
  for (const auto& c : bad) {
    double ole = 5.0;
    problem.clear();
    EXPECT_FALSE(ContestStartToOle(c.date, c.hour, &ole, &problem)) << c.date;
    EXPECT_EQ(ole, 5.0);
    EXPECT_FALSE(problem.empty());
  }
}

TEST(AdifValuesTest, TakesMultiplierCodeAfterLeadingDigits) {
  const struct {
    const char* exchange;
    const char* code;
  } cases[] = {{"015CD", "CD"},  {"RT", "RT"},     {"015", ""},    {"", ""},
               {"015CD7", "CD"}, {"1234xy", "xy"}, {"015 CD", ""}, {"7K", "K"}};
  for (const auto& c : cases) {
    EXPECT_EQ(MultCodeFromExchange(c.exchange), c.code) << c.exchange;
  }
}

TEST(AdifValuesTest, LowersBandLabels) {
  EXPECT_EQ(NormalizeBand("20M"), "20m");
  EXPECT_EQ(NormalizeBand("160M"), "160m");
  EXPECT_EQ(NormalizeBand("70CM"), "70cm");
  EXPECT_EQ(NormalizeBand("40m"), "40m");
  EXPECT_EQ(NormalizeBand(""), "");
}

}  // namespace
}  // namespace tools
