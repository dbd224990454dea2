#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/tools/peak_memory.h"

namespace platform {

long PeakMemoryKib() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

}  // namespace platform
