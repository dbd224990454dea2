#pragma once

namespace platform {

// The most physical memory the running process has held so far, in KiB:
// the resident set's high-water mark on Linux, the peak working set on
// Windows. -1 when the system does not say.
long PeakMemoryKib();

}  // namespace platform
