#include <windows.h>
#include <psapi.h>

#include "platform/tools/peak_memory.h"

namespace platform {

long PeakMemoryKib() {
  PROCESS_MEMORY_COUNTERS counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return -1;
  return static_cast<long>(counters.PeakWorkingSetSize / 1024);
}

}  // namespace platform
