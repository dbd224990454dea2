#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/framework/ole_date_time.h"
#include "stats/ingest.h"
#include "stats/qso_fields.h"
#include "tools/adif/adif_qso.h"
#include "tools/host/export_args.h"

namespace testing_support {

// A QSO that keeps its own texts, as the tests hold and change them.
using OwnedQso = stats::QsoFields<stats::FieldTypes<std::string>>;

// `qso` as the statistics core takes it: views of its texts.
stats::QsoInput InputOf(const OwnedQso& qso);
// `qso` as the host passes it: its texts borrowed, its date-time passed
// by pointer, or a null pointer with `nullTime`.
tools::QsoCallArgs CallArgsOf(const OwnedQso& qso, bool nullTime);

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

// `qso` logged by `ownCall`, as the host stand-in passes it.
OwnedQso OwnedOf(const std::string& ownCall, const tools::AdifQso& qso);

// The full UTC hour two hours before the system clock's, as an OLE date:
// with it a log's QSOs lie around the present, where the call check looks.
double TwoHoursAgo();

}  // namespace testing_support
