#pragma once

#include <cstdint>
#include <string>

namespace platform {

// The host's date-time value: an OLE Automation date (days since 1899-12-30
// 00:00, the time of day as the fraction) and a status. The layout is the
// one the host passes by pointer: the 64-bit value, then the 32-bit status.
class COleDateTime {
 public:
  enum DateTimeStatus : int32_t { error = -1, valid = 0, invalid = 1, null = 2 };

  COleDateTime() = default;
  COleDateTime(double value, int32_t status) : m_dt(value), m_status(status) {}

  // Equal when both are valid with the same value, or both are null. An
  // invalid date-time equals nothing, itself included.
  bool operator==(const COleDateTime& other) const;
  bool operator!=(const COleDateTime& other) const { return !(*this == other); }

  // The text of `pattern` with the conversions %Y %m %d %H %M %S %% filled
  // from the calendar fields, as strftime fills them. Status null gives an
  // empty text; status invalid, or a value that cannot be converted to
  // calendar fields, gives "Invalid DateTime".
  std::string Format(const char* pattern) const;

  // Hour and minute of the calendar fields; -1 when the status is not valid
  // or the value cannot be converted.
  int GetHour() const;
  int GetMinute() const;
  // Both at once: hour * 60 + minute, or -1 when the two are -1.
  int GetMinuteOfDay() const;

  double m_dt = 0.0;
  int32_t m_status = valid;
};

// Calendar fields of an OLE Automation date, rounded to the whole second.
struct CalendarFields {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int dayOfWeek = 0;  // 0 = Sunday
};

// Converts like VariantTimeToSystemTime: the integer part counts days from
// 1899-12-30, the fraction is the time of day counted forward from that day's
// start (also for negative values: -1.25 is 1899-12-29 06:00), rounded to the
// nearest second. False for NaN, infinities and dates outside the years 100
// to 9999 (after rounding).
bool OleDateToCalendar(double value, CalendarFields* out);

}  // namespace platform
