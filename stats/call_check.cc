#include "stats/call_check.h"

#include "stats/contest_facts.h"
#include "stats/tour.h"

namespace stats {
namespace {

// The minute at which an hour's second half begins.
constexpr int kHalfHour = kHalfHourMinutes;
constexpr int kMinutesPerHour = kHourMinutes;
// Across the bound between two halves, how many minutes back a QSO still
// counts: less than a half hour.
constexpr int kMostMinutesBack = kHalfHourMinutes - 1;

// Whether a QSO stored at `storedHour`:`storedMinute` falls in the half-hour
// window of the clock reading `clockHour`:`clockMinute` (see CheckCall).
// Only hour numbers are compared, never dates; a stored time without
// calendar fields has hour and minute -1 and never matches.
bool InHalfHourWindow(int clockHour, int clockMinute, int storedHour, int storedMinute) {
  const int c = clockMinute, s = storedMinute;
  const int hoursBack = clockHour - storedHour;
  if (hoursBack == 0) {
    return (c < kHalfHour && s < kHalfHour) || (c >= kHalfHour && s >= kHalfHour) ||
           (c > kHalfHour && s < kHalfHour && c - s <= kMostMinutesBack);
  }
  if (hoursBack == 1) {
    return c < kHalfHour && s > kHalfHour && (kMinutesPerHour - s) + c <= kMostMinutesBack;
  }
  return false;
}

bool IsAsciiDigit(char ch) { return ch >= '0' && ch <= '9'; }
bool IsAsciiLetter(char ch) { return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z'); }

}  // namespace

int32_t CheckCall(const Contest& contest, const CallProbe& probe, const platform::UtcTime& now) {
  const int32_t tour = TourOfHour(now.hour, contest.startHour);
  const std::string probeKey = std::string(probe.multCode) + std::to_string(tour);
  const QsoStore& store = contest.qsoStore;
  // A mode no stored record has gets kNoNumber, which no record's equals.
  const uint32_t mode = store.TextNumber(kMode, probe.mode);

  // The first repeat in store order ends the scan, and any repeat gives the
  // same answer, so the records of this call on this band are all it needs.
  const bool repeat = store.AnyWithCallBand(probe.call, probe.band, [&](const CallFacts& s) {
    if (s.mode == mode) return s.tour == tour;
    return InHalfHourWindow(now.hour, now.minute, s.Hour(), s.Minute());
  });
  if (repeat) return kRepeat;
  if (store.FindBandKeyNumber(probe.band, probeKey) != QsoStore::kNoNumber) {
    return kNoNewMultiplier;
  }
  return kNewMultiplier;
}

int32_t IsValidExchange(const std::string& exchange, int32_t fieldIndex) {
  if (fieldIndex != 0 || exchange.size() != 5) return 0;
  return IsAsciiDigit(exchange[0]) && IsAsciiDigit(exchange[1]) && IsAsciiDigit(exchange[2]) &&
                 IsAsciiLetter(exchange[3]) && IsAsciiLetter(exchange[4])
             ? 1
             : 0;
}

}  // namespace stats
