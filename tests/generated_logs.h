#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/ole_date_time.h"
#include "stats/ingest.h"
#include "tools/adif/adif_qso.h"

namespace testing_support {

// A QSO that keeps its own texts, as the tests hold and change them.
struct OwnedQso {
  std::string ownCall;
  std::string call;
  platform::COleDateTime time;
  uint32_t freqHz = 0;
  std::string mode;
  std::string rstSent;
  std::string rstRcvd;
  std::string exchSent;
  std::string exchRcvd;
  std::string multCode;
  std::string group;
  std::string band;

  // As the statistics core takes it: views of the texts above.
  stats::QsoInput Input() const;
};

// A generated contest log with the reset values that go with it.
struct GeneratedLog {
  std::string ownCall;
  std::string ownMultCode;
  std::string ownGroupCode;
  platform::COleDateTime start;
  std::vector<OwnedQso> qsos;
};

enum class LogKind {
  kSparse,  // a pool of calls three quarters of the QSO count, 26 codes
  kDense,   // a small pool of calls, 12 codes
};

// A log of `count` QSOs whose contest starts on the hour `start` (an OLE
// date on the full hour).
GeneratedLog GenerateLog(LogKind kind, uint32_t seed, std::size_t count, double start);

// `qso` as the statistics core takes it, logged by `ownCall`, with a valid
// date-time.
OwnedQso OwnedOf(const std::string& ownCall, const tools::AdifQso& qso);

// The full UTC hour two hours before the system clock's, as an OLE date:
// with it a log's QSOs lie around the present, where the call check looks.
double TwoHoursAgo();

}  // namespace testing_support
