#include "platform/framework/ole_date_time.h"

#include <cmath>
#include <cstdio>

namespace platform {
namespace {

constexpr double kFirstDay = -657434.0;  // 0100-01-01
constexpr double kLastDay = 2958465.0;   // 9999-12-31
constexpr int kLastYear = 9999;

// Days since 1970-01-01 to civil date, proleptic Gregorian.
void CivilFromDays(long long z, int* y, int* m, int* d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  *d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  *m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  *y = static_cast<int>(yoe + era * 400 + (*m <= 2 ? 1 : 0));
}

constexpr long long kOleEpochFromUnix = -25569;  // 1899-12-30 in Unix days

// The day and the time of day of `value`, rounded to the nearest second.
// False for NaN, infinities and values outside the range before rounding.
bool SplitOleDate(double value, long long* days, int* hour, int* minute, int* second) {
  // The range test is written so that NaN fails it too.
  if (!(value > kFirstDay - 1.0 && value < kLastDay + 1.0)) return false;

  const double dayPart = std::trunc(value);
  // The small bias keeps 0.333333333 (08:00 minus a rounding error) from
  // landing on 07:59:59 before rounding; the platform conversion does the same.
  double timePart = std::fabs(value - dayPart) + 1e-11;
  if (timePart >= 1.0) timePart -= 1e-11;

  long long d = static_cast<long long>(dayPart);
  timePart *= 24.0;
  int h = static_cast<int>(timePart);
  timePart = (timePart - h) * 60.0;
  int m = static_cast<int>(timePart);
  timePart = (timePart - m) * 60.0;
  int s = static_cast<int>(timePart);
  timePart -= s;
  if (timePart > 0.5 && ++s == 60) {
    s = 0;
    if (++m == 60) {
      m = 0;
      if (++h == 24) {
        h = 0;
        ++d;
      }
    }
  }
  *days = d;
  *hour = h;
  *minute = m;
  *second = s;
  return true;
}

}  // namespace

bool OleDateToCalendar(double value, CalendarFields* out) {
  long long days;
  CalendarFields f;
  if (!SplitOleDate(value, &days, &f.hour, &f.minute, &f.second)) return false;
  CivilFromDays(days + kOleEpochFromUnix, &f.year, &f.month, &f.day);
  if (f.year > kLastYear) return false;
  // 1899-12-30 was a Saturday.
  f.dayOfWeek = static_cast<int>(((days % 7) + 7 + 6) % 7);
  *out = f;
  return true;
}

// Rounding can carry only the last day of the range past its end, so the
// calendar date itself need not be worked out.
int COleDateTime::GetMinuteOfDay() const {
  long long days;
  int hour, minute, second;
  if (m_status != valid || !SplitOleDate(m_dt, &days, &hour, &minute, &second) ||
      days > static_cast<long long>(kLastDay)) {
    return -1;
  }
  return hour * 60 + minute;
}

bool COleDateTime::operator==(const COleDateTime& other) const {
  if (m_status != other.m_status) return false;
  if (m_status == valid) return m_dt == other.m_dt;
  return m_status == null;
}

std::string COleDateTime::Format(const char* pattern) const {
  if (m_status == null) return std::string();
  CalendarFields f;
  if (m_status != valid || !OleDateToCalendar(m_dt, &f)) return "Invalid DateTime";

  std::string text;
  char number[16];
  for (const char* p = pattern; *p != '\0'; ++p) {
    if (*p != '%' || p[1] == '\0') {
      text += *p;
      continue;
    }
    int field;
    switch (*++p) {
      case 'Y':
        field = f.year;
        break;
      case 'm':
        field = f.month;
        break;
      case 'd':
        field = f.day;
        break;
      case 'H':
        field = f.hour;
        break;
      case 'M':
        field = f.minute;
        break;
      case 'S':
        field = f.second;
        break;
      case '%':
        text += '%';
        continue;
      default:
        text += '%';
        text += *p;
        continue;
    }
    std::snprintf(number, sizeof number, *p == 'Y' ? "%d" : "%02d", field);
    text += number;
  }
  return text;
}

int COleDateTime::GetHour() const {
  const int minuteOfDay = GetMinuteOfDay();
  return minuteOfDay < 0 ? -1 : minuteOfDay / 60;
}

int COleDateTime::GetMinute() const {
  const int minuteOfDay = GetMinuteOfDay();
  return minuteOfDay < 0 ? -1 : minuteOfDay % 60;
}

}  // namespace platform
