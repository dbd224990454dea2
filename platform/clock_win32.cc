#include <windows.h>

#include "platform/clock.h"
#include "platform/system_instance.h"

namespace platform {
namespace {

class Win32Clock : public Clock {
 public:
  UtcTime NowUtc() override {
    SYSTEMTIME st;
    GetSystemTime(&st);
    UtcTime t;
    t.year = st.wYear;
    t.month = st.wMonth;
    t.day = st.wDay;
    t.hour = st.wHour;
    t.minute = st.wMinute;
    t.second = st.wSecond;
    return t;
  }
};

}  // namespace

Clock& SystemClock() { return SystemInstance<Win32Clock>(); }

}  // namespace platform
