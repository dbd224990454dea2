#include <windows.h>

#include "platform/plugin/clock.h"
#include "platform/calls/system_instance.h"

namespace platform {
namespace {

class Win32Clock : public Clock {
 public:
  UtcTime NowUtc() override {
    SYSTEMTIME st;
    GetSystemTime(&st);
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
  }
};

}  // namespace

Clock& SystemClock() { return SystemInstance<Win32Clock>(); }

}  // namespace platform
