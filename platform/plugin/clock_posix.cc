#include <ctime>

#include "platform/plugin/clock.h"
#include "platform/calls/system_instance.h"

namespace platform {
namespace {

class PosixClock : public Clock {
 public:
  UtcTime NowUtc() override {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&now, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
            parts.tm_hour,        parts.tm_min,     parts.tm_sec};
  }
};

}  // namespace

Clock& SystemClock() { return SystemInstance<PosixClock>(); }

}  // namespace platform
