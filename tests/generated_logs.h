#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/ole_date_time.h"
#include "stats/ingest.h"

namespace testing_support {

// A generated contest log with the reset values that go with it.
struct GeneratedLog {
  std::string ownCall;
  std::string ownMultCode;
  std::string ownGroupCode;
  COleDateTime start;
  std::vector<QsoInput> qsos;
};

enum class LogKind {
  kSparse,  // the sample-log generator: calls rarely come back
  kDense,   // the benchmark generator with a small pool of calls
};

// A log of `count` QSOs whose contest starts on the hour `start` (an OLE
// date on the full hour).
GeneratedLog GenerateLog(LogKind kind, uint32_t seed, std::size_t count, double start);

// The full UTC hour two hours before the system clock's, as an OLE date:
// with it a log's QSOs lie around the present, where the call check looks.
double TwoHoursAgo();

}  // namespace testing_support
