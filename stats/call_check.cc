#include "stats/call_check.h"

#include "stats/tour.h"

namespace stats {
namespace {

// Whether a QSO stored at hour `h`, minute `s` falls in the half hour of the
// clock reading `hour`:`c`. Only hour numbers are compared, never dates; a
// stored time without calendar fields has h = s = -1 and never matches.
bool InHalfHourWindow(int hour, int c, int h, int s) {
  const int d = hour - h;
  if (d == 0) {
    return (c < 30 && s < 30) || (c >= 30 && s >= 30) ||
           (c > 30 && s < 30 && c - s <= 29);
  }
  if (d == 1) return c < 30 && s > 30 && (60 - s) + c <= 29;
  return false;
}

bool IsAsciiDigit(char ch) { return ch >= '0' && ch <= '9'; }
bool IsAsciiLetter(char ch) {
  return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
}

}  // namespace

int32_t CheckCall(const Contest& contest, const CallProbe& probe,
                  const platform::UtcTime& now) {
  const int32_t tour = TourOfHour(now.hour, contest.startHour);
  const std::string probeKey = probe.multCode + std::to_string(tour);
  const QsoStore& store = contest.qsoStore;

  // The first repeat in store order ends the scan, and any repeat gives the
  // same answer, so the records of this call on this band are all it needs.
  const bool repeat =
      store.AnyWithCallBand(probe.call, probe.band, [&](const QsoStore::Record& s) {
        if (s.Mode() == probe.mode) return s.Tour() == tour;
        const platform::COleDateTime time = s.Time();
        return InHalfHourWindow(now.hour, now.minute, time.GetHour(), time.GetMinute());
      });
  if (repeat) return kRepeat;
  if (store.FindBandKeyNumber(probe.band, probeKey) != QsoStore::kNoNumber) {
    return kNoNewMultiplier;
  }
  return kNewMultiplier;
}

int32_t IsValidExchange(const std::string& exchange, int32_t fieldIndex) {
  if (fieldIndex != 0 || exchange.size() != 5) return 0;
  return IsAsciiDigit(exchange[0]) && IsAsciiDigit(exchange[1]) &&
                 IsAsciiDigit(exchange[2]) && IsAsciiLetter(exchange[3]) &&
                 IsAsciiLetter(exchange[4])
             ? 1
             : 0;
}

}  // namespace stats
