#include <ctime>

#include "platform/clock.h"
#include "platform/system_instance.h"

namespace platform {
namespace {

class PosixClock : public Clock {
 public:
  UtcTime NowUtc() override {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&now, &parts);
    UtcTime t;
    t.year = parts.tm_year + 1900;
    t.month = parts.tm_mon + 1;
    t.day = parts.tm_mday;
    t.hour = parts.tm_hour;
    t.minute = parts.tm_min;
    t.second = parts.tm_sec;
    return t;
  }
};

}  // namespace

Clock& SystemClock() { return SystemInstance<PosixClock>(); }

}  // namespace platform
