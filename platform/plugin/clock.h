#pragma once

namespace platform {

// A broken-down UTC time, as the system clock gives it.
struct UtcTime {
  int year = 0;
  int month = 0;   // 1..12
  int day = 0;     // 1..31
  int hour = 0;    // 0..23
  int minute = 0;  // 0..59
  int second = 0;  // 0..59
};

class Clock {
 public:
  virtual ~Clock() = default;
  // The current UTC time, read once.
  virtual UtcTime NowUtc() = 0;
};

Clock& SystemClock();

}  // namespace platform
